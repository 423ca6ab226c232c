#pragma once

#include "app/qt/TemplateDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

#include <deque>
#include <functional>

namespace tf::test {

using Step = std::function<bool(QWidget* modal)>;

/// Answers modal dialogs and message boxes as they come up, one scripted step each. A step
/// returns false when the modal widget on top is not the one it expects (yet). A modal widget
/// that no step is left for is rejected and the test fails, so nothing can wait forever.
class ModalDriver {
public:
    ModalDriver() {
        timer.setInterval(5);
        QObject::connect(&timer, &QTimer::timeout, [this] { tick(); });
        timer.start();
    }
    void add(Step step) { steps.push_back(std::move(step)); }
    bool done() const { return steps.empty(); }

private:
    // Qt never delivers a timer again while its own handler runs, and a step usually opens a
    // nested event loop, so every step runs from a one-shot timer of its own.
    void tick() {
        if (!scheduled) {
            scheduled = true;
            // The driver's own timer as the context: a step still waiting when the driver goes
            // away (at the end of a test) is dropped with it instead of running on a dead driver.
            QTimer::singleShot(0, &timer, [this] { runStep(); });
        }
    }
    void runStep() {
        scheduled = false;
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        if (steps.empty()) {
            ADD_FAILURE() << "unexpected modal window: " << modal->windowTitle().toStdString();
            if (auto* dialog = qobject_cast<QDialog*>(modal)) {
                dialog->reject();
            }
            return;
        }
        // Taken off first: a step may open another modal window whose own step runs inside it.
        Step step = std::move(steps.front());
        steps.pop_front();
        if (!step(modal)) {
            steps.push_front(std::move(step));
        }
    }

    QTimer timer;
    std::deque<Step> steps;
    bool scheduled = false;
};

inline TemplateDialog* PartDialogOf(QWidget* modal) {
    auto* dialog = qobject_cast<TemplateDialog*>(modal);
    // The title line names the song after the dialog's own caption.
    return dialog != nullptr && dialog->windowTitle().startsWith(QStringLiteral("演奏パートを選べ！"))
               ? dialog
               : nullptr;
}

inline QAbstractButton* Button(QWidget* dialog, int id) {
    return dialog->findChild<QAbstractButton*>(QStringLiteral("id%1").arg(id));
}

/// A step on the part dialog.
inline Step OnPartDialog(std::function<void(TemplateDialog&)> action) {
    return [action](QWidget* modal) {
        TemplateDialog* dialog = PartDialogOf(modal);
        if (dialog == nullptr) {
            return false;
        }
        action(*dialog);
        return true;
    };
}

/// A step on a message box: checks its text and presses `answer`.
inline Step OnMessageBox(const QString& text, QMessageBox::StandardButton answer) {
    return [text, answer](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box == nullptr) {
            return false;
        }
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Tonefalls"));
        EXPECT_EQ(box->text(), text);
        EXPECT_EQ(box->icon(), QMessageBox::Warning);
        box->button(answer)->click();
        return true;
    };
}

} // namespace tf::test
