#include "desktop_session.h"

#include <QSettings>
#include <QStandardPaths>
#include <optional>

#include "app_settings.h"
#include "support/decimal_separator.h"

namespace tavrin::ui {
namespace {

const QString kLaserGroup = QStringLiteral("Laser");

// The last run's laser, when one was kept.
std::optional<LaserRecord> ReadLaser(QSettings& settings) {
    if (!settings.childGroups().contains(kLaserGroup)) {
        return std::nullopt;
    }
    settings.beginGroup(kLaserGroup);
    LaserFields fields;
    for (const QString& key : settings.childKeys()) {
        fields.emplace_back(key.toStdString(), settings.value(key).toString().toStdString());
    }
    settings.endGroup();
    return RecordFromFields(fields);
}

void WriteLaser(QSettings& settings, const LaserRecord& laser) {
    settings.remove(kLaserGroup);
    settings.beginGroup(kLaserGroup);
    for (const auto& [key, value] : FieldsOf(laser)) {
        settings.setValue(ToQt(key), ToQt(value));
    }
    settings.endGroup();
}

}  // namespace

std::unique_ptr<DesktopSession> DesktopSession::Start(const std::filesystem::path& programFolder,
                                                      QWidget* messageParent) {
    std::unique_ptr<DesktopSession> session(new DesktopSession);
    session->m_messages.SetParent(messageParent);
    session->m_model = MainWindowModel::Start(
        programFolder, DecimalSeparatorFromEnvironment(),
        MainWindowServices{session->m_messages, session->m_opener, session->m_requestWindow, session->m_printer});
    if (!session->m_model) {
        return nullptr;
    }
    const std::filesystem::path dataFolder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation).toStdString() + "/cv-tavrin";
    session->m_model->SetUserDataFolder(dataFolder);
    session->m_requestWindow.KeepRequestsIn({programFolder, dataFolder});
    session->m_window = std::make_unique<MainWindow>(*session->m_model);
    QSettings settings = AppSettings();
    session->m_placed = session->m_window->RestoreLayout(settings);
    session->m_messages.SetParent(session->m_window.get());
    // The laser of the last run comes back, typed in again as a user would.
    if (const auto laser = ReadLaser(settings)) {
        session->m_model->RestoreRecord(*laser);
    }
    session->m_requestWindow.SetOwner(session->m_window.get());
    session->m_printer.SetParent(session->m_window.get());
    return session;
}

DesktopSession::~DesktopSession() {
    if (m_window) {
        QSettings settings = AppSettings();
        m_window->SaveLayout(settings);
        WriteLaser(settings, m_model->Record());
    }
}

}  // namespace tavrin::ui
