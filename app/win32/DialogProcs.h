#pragma once

#include "platform/win32/WinApi.h"

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

/// Runs dialog 101 modally over `owner` with `model` deciding every button.
void RunPartDialog(HINSTANCE instance, HWND owner, PartDialog& model);
/// Runs dialog 104 modally over `owner` with `model` holding the lanes' selections.
void RunKeyDialog(HINSTANCE instance, HWND owner, KeyDialog& model);
/// Runs the about box, dialog 103, modally over `owner`, `soundLine` naming the output in use.
void RunAboutDialog(HINSTANCE instance, HWND owner, std::string_view soundLine);

/// Dialog procedures of the three dialogs, each centred over its owner as it opens. The part
/// and key dialogs take the address of their `DialogContext` as the creation parameter; the
/// about box takes the address of its output line, a std::wstring.
INT_PTR CALLBACK PartDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK KeyDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace tf
