#pragma once

#include "app/text/Language.h"

#include <string_view>

class QWidget;

namespace tf {

class KeyDialog;
class PartDialog;
class TemplateDialog;

/// Shows `model` in a part dialog made from its template: the title line, the counts and
/// instruments, the ticks, the preview buttons with their tips and the mark of the part playing.
void FillPartDialog(TemplateDialog& dialog, const PartDialog& model);
/// Runs the part-selection dialog over `owner` until its model closes it.
void RunPartDialog(QWidget* owner, PartDialog& model);
/// Runs the key dialog over `owner` until its model closes it.
void RunKeyDialog(QWidget* owner, KeyDialog& model);
/// Runs the about box in `language` over `owner`, `soundLine` naming the output in use.
void RunAboutDialog(QWidget* owner, std::string_view soundLine, Language language = Language::Japanese);

} // namespace tf
