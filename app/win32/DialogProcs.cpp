#include "app/win32/DialogProcs.h"

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/DialogTemplate.h"
#include "app/dialogs/KeyDialog.h"
#include "app/dialogs/PartDialog.h"
#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"
#include "platform/win32/CentreOver.h"
#include "platform/win32/WideText.h"

#include <commctrl.h>

#include <string>

namespace tf {

namespace {

constexpr int PartDialogResource = 101;
constexpr int AboutDialogResource = 103;
constexpr int KeyDialogResource = 104;

template <typename Model> DialogContext<Model>* ContextOf(HWND dialog) {
    return reinterpret_cast<DialogContext<Model>*>(GetWindowLongPtrW(dialog, DWLP_USER));
}

bool IsTick(ControlKind kind) {
    return kind == ControlKind::CheckBox || kind == ControlKind::RadioButton;
}

/// A message box over `owner`, centred on it.
int CentredMessageBox(HWND owner, std::string_view caption, std::string_view text, UINT style) {
    const CentreNextWindowOver centred(owner);
    return MessageBoxW(owner, Widen(text).c_str(), Widen(caption).c_str(), style);
}

/// Gives the dialog made from a resource the texts of `layout`, the same dialog in the language
/// the model speaks: the resource's controls stand in the template's order (a test holds the two
/// together), so the n-th child takes the n-th control's caption. Controls without a caption of
/// their own (counts, lists, the icon) keep what they have.
void ShowTemplateTexts(HWND dialog, const DialogTemplate& layout) {
    SetWindowTextW(dialog, Widen(layout.caption).c_str());
    HWND child = GetWindow(dialog, GW_CHILD);
    for (const DialogControl& control : layout.controls) {
        if (child == nullptr) {
            return;
        }
        const bool hasText = !control.caption.empty() && control.kind != ControlKind::Icon &&
                             control.kind != ControlKind::DropDownList &&
                             !(control.id >= PartCountBase && control.id < PartCountBase + 16);
        if (hasText) {
            SetWindowTextW(child, Widen(control.caption).c_str());
        }
        child = GetWindow(child, GW_HWNDNEXT);
    }
}

/// A dialog comes up centred over the window that owns it.
void CentreOverOwner(HWND dialog) {
    CentreOver(dialog, GetWindow(dialog, GW_OWNER));
}

class PartHost final : public PartDialogHost {
public:
    PartHost(HINSTANCE instance, HWND dialog) : instance(instance), dialog(dialog) {}
    bool askYesNo(std::string_view caption, std::string_view text) override {
        return CentredMessageBox(dialog, caption, text, MB_YESNO | MB_ICONWARNING) == IDYES;
    }
    void showWarning(std::string_view caption, std::string_view text) override {
        CentredMessageBox(dialog, caption, text, MB_OK | MB_ICONWARNING);
    }
    void runKeyDialog(KeyDialog& keys) override { RunKeyDialog(instance, dialog, keys); }
    void endDialog(int result) override {
        ended = true;
        EndDialog(dialog, result);
    }

    bool ended = false;

private:
    HINSTANCE instance;
    HWND dialog;
};

class KeyHost final : public KeyDialogHost {
public:
    explicit KeyHost(HWND dialog) : dialog(dialog) {}
    bool askYesNo(std::string_view caption, std::string_view text) override {
        return CentredMessageBox(dialog, caption, text, MB_YESNO | MB_ICONWARNING) == IDYES;
    }
    void endDialog(int result) override {
        ended = true;
        EndDialog(dialog, result);
    }

    bool ended = false;

private:
    HWND dialog;
};

void ShowTicks(HWND dialog, const PartDialog& model) {
    for (const DialogControl& control : PartDialogTemplate().controls) {
        if (IsTick(control.kind)) {
            CheckDlgButton(dialog, control.id, model.checked(control.id) ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    // The part that plays alone carries a note on its button; a part without notes a dash.
    for (int channel = 0; channel < 16; ++channel) {
        SetDlgItemTextW(dialog, PreviewButtonBase + channel,
                        model.previewPart() == channel ? L"\u266A"
                        : model.partEmpty(channel)     ? L"\u2013"
                                                       : L"");
    }
}

/// The tooltip class lives in the common controls library, which the program does not link:
/// every Windows has it, and loading it only here keeps the program's imports to the few DLLs
/// it needs. False when it cannot be had; the buttons then go without tips.
bool TooltipsReady() {
    static const bool ready = [] {
        const HMODULE library = LoadLibraryW(L"comctl32.dll");
        if (library == nullptr) {
            return false;
        }
        using Init = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        const auto init = reinterpret_cast<Init>(
            reinterpret_cast<void (*)()>(GetProcAddress(library, "InitCommonControlsEx")));
        INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
        return init != nullptr && init(&classes) != FALSE;
    }();
    return ready;
}

/// Gives each preview button its tip from the model. The tip window belongs to the dialog and
/// goes with it; it keeps a copy of each text.
void AddPreviewTips(HINSTANCE instance, HWND dialog, const PartDialog& model) {
    if (!TooltipsReady()) {
        return;
    }
    const HWND tips =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, instance, nullptr);
    if (tips == nullptr) {
        return;
    }
    for (int channel = 0; channel < 16; ++channel) {
        TOOLINFOW tool{};
        // The first form of the structure, which every version of the library reads.
        tool.cbSize = TTTOOLINFOW_V1_SIZE;
        tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        tool.hwnd = dialog;
        tool.uId = reinterpret_cast<UINT_PTR>(GetDlgItem(dialog, PreviewButtonBase + channel));
        std::wstring text = Widen(model.previewTip(channel));
        tool.lpszText = text.data();
        SendMessageW(tips, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    }
}

// The buttons tick themselves; the model learns their state before it acts on any button.
void ReadTicks(HWND dialog, PartDialog& model) {
    for (const DialogControl& control : PartDialogTemplate().controls) {
        if (IsTick(control.kind) && IsDlgButtonChecked(dialog, control.id) == BST_CHECKED) {
            model.setChecked(control.id, true);
        }
    }
    for (const DialogControl& control : PartDialogTemplate().controls) {
        if (IsTick(control.kind) && IsDlgButtonChecked(dialog, control.id) != BST_CHECKED) {
            model.setChecked(control.id, false);
        }
    }
}

/// The offset field's text, as the model reads it.
void ReadOffsetField(HWND dialog, PartDialog& model) {
    std::wstring text(64, L'\0');
    const int length = GetDlgItemTextW(dialog, OffsetField, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(length > 0 ? length : 0));
    model.setText(OffsetField, Narrow(text));
}

/// The text of list entry `index`: for the punctuation keys the character the key gives
/// unshifted on this machine's keyboard layout, as Windows knows it; the fixed text when the
/// layout has none for it.
std::wstring KeyChoiceLabel(int index) {
    const std::uint32_t code = KeyChoiceCode(index);
    if (index >= 36 && code != 0) {
        // The high bit marks a dead key; the character is in the low word either way.
        const UINT character = MapVirtualKeyW(code, MAPVK_VK_TO_CHAR) & 0xFFFFu & ~0x8000u;
        if (character >= 0x20) {
            return std::wstring(1, static_cast<wchar_t>(character));
        }
    }
    return Widen(KeyChoiceText(index));
}

/// Shows every lane's selection and the line naming shared keys as the model has them.
void ShowKeys(HWND dialog, const KeyDialog& model) {
    for (int lane = 0; lane < KeyDialog::LaneCount; ++lane) {
        // -1 (a key none of the entries names) leaves the list without a selection.
        SendDlgItemMessageW(dialog, KeyComboBase + lane, CB_SETCURSEL,
                            static_cast<WPARAM>(model.selection(lane)), 0);
    }
    SetDlgItemTextW(dialog, SharedKeysText, Widen(model.duplicateText()).c_str());
}

} // namespace

void RunPartDialog(HINSTANCE instance, HWND owner, PartDialog& model) {
    DialogContext<PartDialog> context{instance, model};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(PartDialogResource), owner, PartDialogProc,
                    reinterpret_cast<LPARAM>(&context));
}

void RunKeyDialog(HINSTANCE instance, HWND owner, KeyDialog& model) {
    DialogContext<KeyDialog> context{instance, model};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(KeyDialogResource), owner, KeyDialogProc,
                    reinterpret_cast<LPARAM>(&context));
}

void RunAboutDialog(HINSTANCE instance, HWND owner, std::string_view soundLine, Language language) {
    AboutContext context{Widen(soundLine), language};
    DialogBoxParamW(instance, MAKEINTRESOURCEW(AboutDialogResource), owner, AboutDialogProc,
                    reinterpret_cast<LPARAM>(&context));
}

INT_PTR CALLBACK PartDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        CentreOverOwner(dialog);
        auto* context = reinterpret_cast<DialogContext<PartDialog>*>(lParam);
        const PartDialog& model = context->model;
        ShowTemplateTexts(dialog, PartDialogTemplate(model.language()));
        SetWindowTextW(dialog, Widen(model.caption()).c_str());
        ShowTicks(dialog, model);
        for (int channel = 0; channel < 16; ++channel) {
            for (int id : {PartCountBase + channel, PartInstrumentBase + channel}) {
                SetDlgItemTextW(dialog, id, Widen(model.text(id)).c_str());
            }
        }
        SendDlgItemMessageW(dialog, OffsetField, EM_LIMITTEXT, 8, 0);
        SetDlgItemTextW(dialog, OffsetField, Widen(model.text(OffsetField)).c_str());
        AddPreviewTips(context->instance, dialog, model);
        // A part with nothing to play can be neither chosen nor heard.
        for (int channel = 0; channel < 16; ++channel) {
            const BOOL enabled = model.partEmpty(channel) ? FALSE : TRUE;
            EnableWindow(GetDlgItem(dialog, PartCheckBase + channel), enabled);
            EnableWindow(GetDlgItem(dialog, PreviewButtonBase + channel), enabled);
        }
        return TRUE;
    }
    auto* context = ContextOf<PartDialog>(dialog);
    if (message != WM_COMMAND || context == nullptr) {
        return FALSE;
    }
    // Only the control id counts, whatever the notification.
    const int id = LOWORD(wParam);
    if (id == OffsetField) {
        // Typing in the field is no command; OK reads what it holds then.
        return FALSE;
    }
    ReadTicks(dialog, context->model);
    ReadOffsetField(dialog, context->model);
    PartHost host(context->instance, dialog);
    const bool handled = context->model.command(id, host);
    if (!host.ended) {
        ShowTicks(dialog, context->model);
        if (id == OkButton) {
            // OK that stopped short shows the offset as stored, held to its range.
            SetDlgItemTextW(dialog, OffsetField, Widen(context->model.text(OffsetField)).c_str());
        }
    }
    return handled ? TRUE : FALSE;
}

INT_PTR CALLBACK KeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) {
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        CentreOverOwner(dialog);
        auto* context = reinterpret_cast<DialogContext<KeyDialog>*>(lParam);
        ShowTemplateTexts(dialog, KeyDialogTemplate(context->model.language()));
        for (int lane = 0; lane < KeyDialog::LaneCount; ++lane) {
            const HWND list = GetDlgItem(dialog, KeyComboBase + lane);
            for (int index = 0; index < KeyChoiceCount; ++index) {
                const std::wstring label = KeyChoiceLabel(index);
                SendMessageW(list, CB_INSERTSTRING, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(label.c_str()));
            }
        }
        ShowKeys(dialog, context->model);
        return TRUE;
    }
    auto* context = ContextOf<KeyDialog>(dialog);
    if (message != WM_COMMAND || context == nullptr) {
        return FALSE;
    }
    const int id = LOWORD(wParam);
    const bool isList = id >= KeyComboBase && id < KeyComboBase + KeyDialog::LaneCount;
    if (isList || id == OkButton) {
        // The lists hold the player's choices; the model learns them before it names shared keys
        // or stores anything.
        for (int lane = 0; lane < KeyDialog::LaneCount; ++lane) {
            const LRESULT index = SendDlgItemMessageW(dialog, KeyComboBase + lane, CB_GETCURSEL, 0, 0);
            context->model.select(lane, index == CB_ERR ? -1 : static_cast<int>(index));
        }
    }
    if (isList) {
        if (HIWORD(wParam) == CBN_SELCHANGE) {
            SetDlgItemTextW(dialog, SharedKeysText, Widen(context->model.duplicateText()).c_str());
        }
        return FALSE;
    }
    KeyHost host(dialog);
    const bool handled = context->model.command(id, host);
    if (handled && !host.ended) {
        ShowKeys(dialog, context->model);
    }
    return handled ? TRUE : FALSE;
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        CentreOverOwner(dialog);
        if (const auto* context = reinterpret_cast<const AboutContext*>(lParam)) {
            ShowTemplateTexts(dialog, AboutDialogTemplate(context->language));
            SetDlgItemTextW(dialog, AboutSoundText, context->soundLine.c_str());
        }
        return TRUE;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == OkButton || id == CancelButton) {
            EndDialog(dialog, id);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace tf
