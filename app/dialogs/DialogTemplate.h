#pragma once

#include "app/text/Language.h"

#include <string>
#include <vector>

namespace tf {

/// What a dialog control is; every view builds its own widget for each kind.
enum class ControlKind {
    GroupBox,
    Label,
    CheckBox,
    RadioButton,
    PushButton,
    DefaultPushButton,
    DropDownList,
    Icon,
    /// A one-line field where a number is typed; the dialog's model reads and checks the text.
    NumberField
};

/// Controls without an id (labels, group boxes) carry this one.
inline constexpr int NoControlId = -1;

/// One control of a dialog, placed in dialog units: x and width in quarters of the dialog
/// font's average character width, y and height in eighths of its height.
struct DialogControl {
    int id = NoControlId;
    ControlKind kind = ControlKind::Label;
    std::string caption;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    /// Radio buttons of one exclusive group share a non-zero number; 0 for everything else.
    int radioGroup = 0;
};

/// A whole dialog: caption, client size in dialog units, font size in points, controls in
/// creation order (later controls lie on top of earlier ones).
struct DialogTemplate {
    std::string caption;
    int width = 0;
    int height = 0;
    int fontPoints = 9;
    std::vector<DialogControl> controls;

    /// The control with `id`, or null.
    const DialogControl* find(int id) const;
};

/// Dialog 101, the choice of parts and options. The layout is the same in every language; only
/// the captions differ.
const DialogTemplate& PartDialogTemplate(Language language = Language::Japanese);
/// Dialog 104, the lane keys.
const DialogTemplate& KeyDialogTemplate(Language language = Language::Japanese);
/// Dialog 103, the about box.
const DialogTemplate& AboutDialogTemplate(Language language = Language::Japanese);

} // namespace tf
