#include "ui_support.h"

namespace tavrin::test {

QString ShotPath(const char* name) {
    return QStringLiteral(TAVRIN_BUILD_DIR "/") + QString::fromLatin1(name);
}

void Type(QWidget& window, std::initializer_list<std::pair<const char*, const char*>> texts) {
    for (const auto& [edit, text] : texts) {
        auto* line = Find<QLineEdit>(window, edit);
        line->setFocus();
        QTest::keyClicks(line, QString::fromUtf8(text));
    }
}

void TypeCwLaser(QWidget& window) {
    Type(window, {{"txtBeam1", "5"}, {"txtWaveLenght", "1064"}, {"txtMaxPower", "100"}});
}

WindowFixture::WindowFixture(Catalogue catalogue, std::filesystem::path folder)
    : model(std::move(catalogue), '.', std::move(folder)), window(model.model) {
    window.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&window));
}

Catalogue OneHead(const std::string& name) {
    HeadRecord head = WideHead(name);
    head.ResArdo = "1mW";
    head.ResRVX = "3mW";
    return {{head, WideHead("Second")}, UniformCoatings(1000)};
}

}  // namespace tavrin::test
