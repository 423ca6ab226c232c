#pragma once

#include "app/dialogs/DialogTemplate.h"

#include <QDialog>
#include <QFont>

#include <functional>
#include <map>
#include <string>

class QAbstractButton;
class QButtonGroup;
class QComboBox;

namespace tf {

/// The dialog font: "MS UI Gothic" where it exists, otherwise IPAPGothic, at `points`.
QFont DialogFont(int points);

/// A modal dialog whose widgets are built from a `DialogTemplate`, placed by dialog units of
/// its font. It decides nothing: every button press, tick and list choice goes to the handlers
/// that the dialog's model installs, and the model calls `done` to close it. Esc and the
/// caption's close button arrive as CancelButton. Every control with an id is named "id<N>".
class TemplateDialog final : public QDialog {
    Q_OBJECT
public:
    TemplateDialog(const DialogTemplate& layout, QWidget* owner);

    /// A button with that id was pressed.
    std::function<void(int id)> onCommand;
    /// A check box or radio button with that id was ticked or cleared by the player.
    std::function<void(int id, bool on)> onToggle;
    /// The player chose entry `index` in the drop-down list with that id.
    std::function<void(int id, int index)> onChoice;
    /// The player changed the text of the field with that id (UTF-8).
    std::function<void(int id, const std::string& text)> onText;

    QWidget* control(int id) const;
    QAbstractButton* button(int id) const;
    QComboBox* list(int id) const;
    /// Shows a tick without telling `onToggle`.
    void setTicked(int id, bool on);
    /// Sets a list's choice (-1 for none) without telling `onChoice`.
    void setChoice(int id, int index);
    /// Sets a field's text without telling `onText`.
    void setFieldText(int id, const std::string& text);
    /// Pixels of `x` horizontal / `y` vertical dialog units.
    int unitsToX(int x) const;
    int unitsToY(int y) const;

    void reject() override;

private:
    // Each control of the layout as its widget, parented to the dialog and wired to the
    // callbacks; the radio buttons of one group share one QButtonGroup.
    QWidget* makeControl(const DialogControl& control, std::map<int, QButtonGroup*>& radioGroups);
    QWidget* makeLabel(const QString& caption, int height);
    QWidget* makeCheckBox(const QString& caption, int id);
    QWidget* makeRadioButton(const QString& caption, int id, QButtonGroup*& group);
    QWidget* makePushButton(const QString& caption, int id, bool isDefault);
    QWidget* makeList(int id);
    QWidget* makeField(const QString& caption, int id);

    std::map<int, QWidget*> controls;
    int baseWidth = 0;
    int baseHeight = 0;
};

} // namespace tf
