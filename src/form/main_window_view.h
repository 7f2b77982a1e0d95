#pragma once

#include "beam/labels.h"
#include "beam/laser_input_state.h"

namespace tavrin {

// What the main window's view hears from the model: each change names the
// control it concerns, so that the view mirrors just that control from the
// model's state. Nothing flows back.
class MainWindowView {
public:
    virtual ~MainWindowView() = default;

    virtual void EntryTextChanged(EntryId entry) = 0;
    virtual void EntryUnitsChanged(EntryId entry) = 0;
    // Which entries are shown or enabled.
    virtual void EntryFlagsChanged() = 0;
    virtual void LabelChanged(LabelId label) = 0;
    virtual void OptionsChanged() = 0;
    // The beam profile, its factor or the peak line.
    virtual void ProfileChanged() = 0;
    virtual void GridChanged() = 0;
    // Print's enabled state, and Save Report as PDF's with it.
    virtual void PrintButtonChanged() = 0;
    virtual void DetailsChanged() = 0;
    virtual void FocusMoved() = 0;
    // Whether Reset Data can be undone.
    virtual void UndoChanged() = 0;
    // The status line's text.
    virtual void StatusChanged() = 0;
};

// The view attached to a model, if any: the model's parts tell this one,
// which passes each change on while a view is attached.
class AttachedView final : public MainWindowView {
public:
    void Attach(MainWindowView* view) { m_view = view; }

    void EntryTextChanged(EntryId entry) override {
        if (m_view != nullptr) {
            m_view->EntryTextChanged(entry);
        }
    }
    void EntryUnitsChanged(EntryId entry) override {
        if (m_view != nullptr) {
            m_view->EntryUnitsChanged(entry);
        }
    }
    void EntryFlagsChanged() override {
        if (m_view != nullptr) {
            m_view->EntryFlagsChanged();
        }
    }
    void LabelChanged(LabelId label) override {
        if (m_view != nullptr) {
            m_view->LabelChanged(label);
        }
    }
    void OptionsChanged() override {
        if (m_view != nullptr) {
            m_view->OptionsChanged();
        }
    }
    void ProfileChanged() override {
        if (m_view != nullptr) {
            m_view->ProfileChanged();
        }
    }
    void GridChanged() override {
        if (m_view != nullptr) {
            m_view->GridChanged();
        }
    }
    void PrintButtonChanged() override {
        if (m_view != nullptr) {
            m_view->PrintButtonChanged();
        }
    }
    void DetailsChanged() override {
        if (m_view != nullptr) {
            m_view->DetailsChanged();
        }
    }
    void FocusMoved() override {
        if (m_view != nullptr) {
            m_view->FocusMoved();
        }
    }
    void UndoChanged() override {
        if (m_view != nullptr) {
            m_view->UndoChanged();
        }
    }
    void StatusChanged() override {
        if (m_view != nullptr) {
            m_view->StatusChanged();
        }
    }

private:
    MainWindowView* m_view = nullptr;
};

}  // namespace tavrin
