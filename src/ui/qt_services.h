#pragma once

#include <QPointer>
#include <QWidget>
#include <string>

#include "form/desktop_services.h"

namespace tavrin::ui {

// Message boxes with the exact texts, titles, icons and buttons.
class QtMessageBoxService final : public MessageBoxService {
public:
    explicit QtMessageBoxService(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }
    [[nodiscard]] QWidget* Parent() const { return m_parent; }
    MessageAnswer Show(const Message& message) override;

private:
    QPointer<QWidget> m_parent;
};

// Opens files and addresses with the desktop's registered application.
class QtDocumentOpener final : public DocumentOpener {
public:
    bool OpenDocument(const std::string& target) override;
};

QString ToQt(const std::string& text);

}  // namespace tavrin::ui
