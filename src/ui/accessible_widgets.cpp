#include "accessible_widgets.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <map>

#include "qt_services.h"
#include "usage_bars.h"

namespace tavrin::ui {
namespace {

constexpr const char* kValueProperty = "tavrinAccessibleValue";

// A label that says what it shows: its accessible name, or its text as Qt
// reads it, and its text (or the value set for it) as its value.
class NamedLabel final : public QAccessibleWidget {
public:
    explicit NamedLabel(QWidget* label) : QAccessibleWidget(label, QAccessible::StaticText) {}

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name: {
                const QString name = widget()->accessibleName();
                return name.isEmpty() ? QString(Label()->text()).remove(QLatin1Char('&')) : name;
            }
            case QAccessible::Value:
                return Value();
            case QAccessible::Description: {
                QString description = widget()->accessibleDescription();
                if (!description.isEmpty() || widget()->accessibleName().isEmpty()) {
                    return description;
                }
                return Value() != widget()->accessibleName() ? Value() : QString();
            }
            default:
                return QAccessibleWidget::text(kind);
        }
    }
    [[nodiscard]] QAccessible::Role role() const override {
        return Label()->text().isEmpty() && !Label()->pixmap().isNull() ? QAccessible::Graphic
                                                                        : QAccessible::StaticText;
    }
    // A caption names the control it is the buddy of.
    [[nodiscard]] QList<QPair<QAccessibleInterface*, QAccessible::Relation>> relations(
        QAccessible::Relation match) const override {
        auto related = QAccessibleWidget::relations(match);
        if ((match & QAccessible::Label) != 0 && Label()->buddy() != nullptr) {
            related.append({QAccessible::queryAccessibleInterface(Label()->buddy()), QAccessible::Label});
        }
        return related;
    }

private:
    [[nodiscard]] const QLabel* Label() const { return static_cast<const QLabel*>(widget()); }
    [[nodiscard]] QString Value() const {
        const QVariant value = widget()->property(kValueProperty);
        return value.isValid() ? value.toString() : Label()->text().trimmed();
    }
};

// A drop-down list named by its caption (by its chosen item, as Qt on Linux
// names it, when it has no name), its chosen item as the value; the list
// that drops down is its one child, as in Qt's own reading.
class NamedList final : public QAccessibleWidget {
public:
    explicit NamedList(QWidget* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        switch (kind) {
            case QAccessible::Name: {
                const QString name = widget()->accessibleName();
                return name.isEmpty() ? text(QAccessible::Value) : name;
            }
            case QAccessible::Value:
                return List()->isEditable() ? List()->lineEdit()->text() : List()->currentText();
            default:
                return QAccessibleWidget::text(kind);
        }
    }
    [[nodiscard]] int childCount() const override { return 1; }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(List()->view()) : nullptr;
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == List()->view() ? 0 : -1;
    }
    [[nodiscard]] QStringList actionNames() const override {
        return QStringList{showMenuAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& name) override {
        if (name == showMenuAction()) {
            List()->showPopup();
        } else {
            QAccessibleWidget::doAction(name);
        }
    }

private:
    [[nodiscard]] QComboBox* List() const { return static_cast<QComboBox*>(widget()); }
};

// One bar of the usage bars, read as a sentence.
class UsageBarItem final : public QAccessibleInterface {
public:
    UsageBarItem(UsageBars* bars, int row) : m_bars(bars), m_row(row) {}

    [[nodiscard]] bool isValid() const override {
        return m_bars != nullptr && m_row < static_cast<int>(m_bars->Bars().size());
    }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override {
        return m_bars != nullptr ? m_bars->window()->windowHandle() : nullptr;
    }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(m_bars.data());
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        if (!isValid() || kind != QAccessible::Name) {
            return {};
        }
        return ToQt(m_bars->Bars()[static_cast<std::size_t>(m_row)].spoken);
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    [[nodiscard]] QRect rect() const override {
        if (!isValid()) {
            return {};
        }
        const QRect row = m_bars->RowRect(m_row);
        return {m_bars->mapToGlobal(row.topLeft()), row.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        state.focusable = true;
        state.selectable = true;
        const bool current = isValid() && m_bars->CurrentRow() == m_row;
        state.selected = current;
        state.focused = current && m_bars->hasFocus();
        return state;
    }

private:
    QPointer<UsageBars> m_bars;
    int m_row;
};

// The usage bars as a list whose items are the bars; the current bar is the
// focused item.
class UsageBarsList final : public QAccessibleWidget {
public:
    explicit UsageBarsList(QWidget* bars) : QAccessibleWidget(bars, QAccessible::List) {}
    ~UsageBarsList() override {
        for (const auto& [row, id] : m_items) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }
    UsageBarsList(const UsageBarsList&) = delete;
    UsageBarsList& operator=(const UsageBarsList&) = delete;

    [[nodiscard]] int childCount() const override { return static_cast<int>(Bars()->Bars().size()); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= childCount()) {
            return nullptr;
        }
        const auto found = m_items.find(index);
        if (found != m_items.end()) {
            return QAccessible::accessibleInterface(found->second);
        }
        auto* item = new UsageBarItem(Bars(), index);
        m_items[index] = QAccessible::registerAccessibleInterface(item);
        return item;
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* child) const override {
        for (const auto& [row, id] : m_items) {
            if (QAccessible::accessibleInterface(id) == child) {
                return row;
            }
        }
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* focusChild() const override {
        return Bars()->hasFocus() ? child(Bars()->CurrentRow()) : nullptr;
    }

private:
    [[nodiscard]] UsageBars* Bars() const { return static_cast<UsageBars*>(widget()); }
    mutable std::map<int, QAccessible::Id> m_items;
};

// Chosen by class alone: Qt keeps the first interface made for a widget,
// which may be made before its name is set.
QAccessibleInterface* Factory(const QString& className, QObject* object) {
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget == nullptr) {
        return nullptr;
    }
    if (className == QLatin1String("tavrin::ui::UsageBars")) {
        return new UsageBarsList(widget);
    }
    if (className == QLatin1String("QLabel")) {
        return new NamedLabel(widget);
    }
    if (className == QLatin1String("QComboBox")) {
        return new NamedList(widget);
    }
    return nullptr;
}

}  // namespace

void InstallAccessibleWidgets() {
    QAccessible::installFactory(Factory);  // once: a factory already installed is not added again
}

void SetAccessibleValue(QLabel* label, const QString& value) {
    if (label->property(kValueProperty).toString() == value) {
        return;
    }
    label->setProperty(kValueProperty, value);
    QAccessibleValueChangeEvent changed(label, value);
    QAccessible::updateAccessibility(&changed);
    QAccessibleEvent described(label, QAccessible::DescriptionChanged);
    QAccessible::updateAccessibility(&described);
}

}  // namespace tavrin::ui
