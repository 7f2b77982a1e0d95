// What the window tests share: finding a widget, typing as a user does,
// the lasers they type and a shown main window over a model with recording
// services.
#pragma once

#include <gtest/gtest.h>

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QSplitter>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QToolTip>
#include <QUrl>
#include <initializer_list>
#include <map>
#include <utility>

#include "catalogue/catalogue.h"
#include "catalogue/head_catalogue.h"
#include "test_support.h"
#include "ui/desktop_program.h"
#include "ui/desktop_session.h"
#include "ui/details_panel.h"
#include "ui/launcher_window.h"
#include "ui/main_window.h"
#include "ui/qt_mail.h"
#include "ui/qt_printing.h"
#include "ui/qt_services.h"
#include "ui/request_dialog.h"
#include "ui/usage_bars.h"

namespace tavrin::ui_test {

template <typename T>
inline T* Find(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Screenshots land in the build folder, to be looked at.
inline QString ShotPath(const char* name) {
    return QStringLiteral(TAVRIN_BUILD_DIR "/") + QString::fromLatin1(name);
}

// Types into each entry key by key, as a user does.
inline void Type(QWidget& window, std::initializer_list<std::pair<const char*, const char*>> texts) {
    for (const auto& [edit, text] : texts) {
        auto* line = Find<QLineEdit>(window, edit);
        line->setFocus();
        QTest::keyClicks(line, QString::fromUtf8(text));
    }
}

// A CW laser of 100 W in a 5 mm beam at 1064 nm.
inline void TypeCwLaser(QWidget& window) {
    Type(window, {{"txtBeam1", "5"}, {"txtWaveLenght", "1064"}, {"txtMaxPower", "100"}});
}

inline void ClickRow(QTableView* table, int row) {
    const QRect cell = table->visualRect(table->model()->index(row, 0));
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
}

inline QString Cell(QTableView* table, int row, int column) {
    return table->model()->index(row, column).data().toString();
}

// The laser with the most entries shown: pulsed, a 5 x 4 mm rectangle, 1 J at 1 Hz, 10 ms.
inline void TypeWidestLaser(QWidget& window) {
    Find<QRadioButton>(window, "optPulsed")->click();
    Find<QRadioButton>(window, "optRectangular")->click();
    Type(window, {{"txtBeam1", "5"},
                  {"txtBeam2", "4"},
                  {"txtWaveLenght", "1064"},
                  {"txtMaxEnergy", "1"},
                  {"txtRepRate", "1"},
                  {"txtPulseWidth", "10"}});
}

// A 10 ns, 200 mJ laser at 10 Hz on an 8 mm beam, which some shipped heads
// take and others refuse on the threshold or the aperture.
inline void TypeShippedPulsedLaser(QWidget& window) {
    Find<QRadioButton>(window, "optPulsed")->click();
    Type(window, {{"txtBeam1", "8"},
                  {"txtWaveLenght", "1064"},
                  {"txtMaxEnergy", "0.2"},
                  {"txtRepRate", "10"},
                  {"txtPulseWidth", "0.00001"}});
}

// A shown main window over a model with recording services.
struct WindowFixture {
    explicit WindowFixture(Catalogue catalogue = {},
                           std::filesystem::path folder = std::filesystem::temp_directory_path(), char decimal = '.')
        : model(std::move(catalogue), decimal, std::move(folder)), window(model.model) {
        window.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    test::ModelFixture model;
    ui::MainWindow window;
};

// "TQS 50/2" with resolutions for Ardo and RVX, and a second head.
inline Catalogue OneHead() {
    HeadRecord head = test::WideHead("TQS 50/2");
    head.ResArdo = "1mW";
    head.ResRVX = "3mW";
    return {{head, test::WideHead("Second")}, test::UniformCoatings(1000)};
}

// The status line's text, as a screen reader reads it.
inline QString Status(ui::MainWindow& window) {
    return QAccessible::queryAccessibleInterface(window.statusBar())->text(QAccessible::Name);
}

// Runs `show`, which opens a modal box, and returns the box's geometry and text.
struct SeenBox {
    QRect geometry;
    QString text;
};
inline SeenBox SeeModalBox(const std::function<void()>& show, const char* screenshot = nullptr) {
    SeenBox seen;
    QTimer::singleShot(0, [&seen, screenshot] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            return;
        }
        seen = {box->frameGeometry(), box->text()};
        if (screenshot != nullptr) {
            box->grab().save(ShotPath(screenshot));
        }
        box->accept();
    });
    show();
    return seen;
}

}  // namespace tavrin::ui_test
