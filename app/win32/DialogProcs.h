#pragma once

#include "app/text/Language.h"
#include "platform/win32/WinApi.h"

#include <string>
#include <string_view>

namespace tf {

class KeyDialog;
class PartDialog;

/// The creation parameter of the part and key dialogs: the module their nested dialogs and
/// texts come from, and the model that decides every button.
template <typename Model> struct DialogContext {
    HINSTANCE instance;
    Model& model;
};

/// The creation parameter of the about box: the line naming the output and the box's language.
struct AboutContext {
    std::wstring soundLine;
    Language language = Language::Japanese;
};

/// Runs dialog 101 modally over `owner` with `model` deciding every button.
void RunPartDialog(HINSTANCE instance, HWND owner, PartDialog& model);
/// Runs dialog 104 modally over `owner` with `model` holding the lanes' selections.
void RunKeyDialog(HINSTANCE instance, HWND owner, KeyDialog& model);
/// Runs the about box, dialog 103, in `language` modally over `owner`, `soundLine` naming the
/// output in use.
void RunAboutDialog(HINSTANCE instance, HWND owner, std::string_view soundLine, Language language);

/// Dialog procedures of the three dialogs, each centred over its owner as it opens. The part
/// and key dialogs take the address of their `DialogContext` as the creation parameter; the
/// about box takes the address of its `AboutContext`.
INT_PTR CALLBACK PartDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK KeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tf
