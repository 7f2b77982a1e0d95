#pragma once

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QString>
#include <QTest>
#include <QWidget>
#include <filesystem>
#include <initializer_list>
#include <utility>

#include "test_support.h"
#include "ui/main_window.h"

namespace tavrin::test {

template <typename T>
T* Find(QWidget& window, const char* name) {
    T* widget = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(widget, nullptr) << name;
    return widget;
}

// Screenshots land in the build folder, to be looked at.
QString ShotPath(const char* name);

// Types into each entry key by key, as a user does.
void Type(QWidget& window, std::initializer_list<std::pair<const char*, const char*>> texts);

// Types a CW laser of 100 W in a 5 mm beam at 1064 nm.
void TypeCwLaser(QWidget& window);

// A shown main window over a model with recording services.
struct WindowFixture {
    explicit WindowFixture(Catalogue catalogue = {},
                           std::filesystem::path folder = std::filesystem::temp_directory_path());
    ModelFixture model;
    ui::MainWindow window;
};

// "TQS 50/2" with resolutions for Ardo and RVX, and a second head.
Catalogue OneHead(const std::string& name = "TQS 50/2");

}  // namespace tavrin::test
