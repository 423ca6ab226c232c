#pragma once

class QWidget;

namespace tf {

class KeyDialog;
class PartDialog;

/// Runs the part-selection dialog over `owner` until its model closes it.
void RunPartDialog(QWidget* owner, PartDialog& model);
/// Runs the key dialog over `owner` until its model closes it.
void RunKeyDialog(QWidget* owner, KeyDialog& model);
/// Runs the about box over `owner`.
void RunAboutDialog(QWidget* owner);

} // namespace tf
