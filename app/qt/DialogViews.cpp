#include "app/qt/DialogViews.h"

#include "app/dialogs/DialogIds.h"
#include "app/dialogs/KeyDialog.h"
#include "app/dialogs/PartDialog.h"
#include "app/qt/QtText.h"
#include "app/qt/TemplateDialog.h"
#include "app/shell/CommandIds.h"
#include "app/text/Texts.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLabel>
#include <QMessageBox>

namespace tf {

namespace {

bool AskYesNo(QWidget* owner, std::string_view caption, std::string_view text);

class PartHost final : public PartDialogHost {
public:
    explicit PartHost(TemplateDialog& dialog) : dialog(dialog) {}
    bool askYesNo(std::string_view caption, std::string_view text) override {
        return AskYesNo(&dialog, caption, text);
    }
    void showWarning(std::string_view caption, std::string_view text) override {
        QMessageBox box(QMessageBox::Warning, FromUtf8(caption), FromUtf8(text), QMessageBox::Ok, &dialog);
        box.exec();
    }
    void runKeyDialog(KeyDialog& keys) override { RunKeyDialog(&dialog, keys); }
    void endDialog(int result) override { dialog.done(result); }

private:
    TemplateDialog& dialog;
};

bool AskYesNo(QWidget* owner, std::string_view caption, std::string_view text) {
    QMessageBox box(QMessageBox::Warning, FromUtf8(caption), FromUtf8(text),
                    QMessageBox::Yes | QMessageBox::No, owner);
    return box.exec() == QMessageBox::Yes;
}

class KeyHost final : public KeyDialogHost {
public:
    explicit KeyHost(TemplateDialog& dialog) : dialog(dialog) {}
    bool askYesNo(std::string_view caption, std::string_view text) override {
        return AskYesNo(&dialog, caption, text);
    }
    void endDialog(int result) override { dialog.done(result); }

private:
    TemplateDialog& dialog;
};

/// The mark on the preview button of the part that is playing alone.
constexpr auto PreviewMark = u"♪";
/// The mark on the greyed preview button of a part with nothing to play.
constexpr auto EmptyPartMark = u"–";

void ShowTicks(TemplateDialog& dialog, const PartDialog& model) {
    for (const DialogControl& c : PartDialogTemplate().controls) {
        if (c.kind == ControlKind::CheckBox || c.kind == ControlKind::RadioButton) {
            dialog.setTicked(c.id, model.checked(c.id));
        }
    }
    for (int channel = 0; channel < 16; ++channel) {
        if (QAbstractButton* preview = dialog.button(PreviewButtonBase + channel)) {
            const bool playing = model.previewPart() == channel;
            const QSignalBlocker blocker(preview);
            preview->setChecked(playing);
            preview->setText(playing                    ? QString::fromUtf16(PreviewMark)
                             : model.partEmpty(channel) ? QString::fromUtf16(EmptyPartMark)
                                                        : QString());
        }
    }
}

} // namespace

void FillPartDialog(TemplateDialog& dialog, const PartDialog& model) {
    dialog.setWindowTitle(FromUtf8(model.caption()));
    for (int channel = 0; channel < 16; ++channel) {
        for (int id : {PartCountBase + channel, PartInstrumentBase + channel}) {
            if (auto* label = qobject_cast<QLabel*>(dialog.control(id))) {
                label->setText(FromUtf8(model.text(id)));
            }
        }
        if (QAbstractButton* preview = dialog.button(PreviewButtonBase + channel)) {
            // Checkable, so the part that plays alone shows its button pressed in.
            preview->setCheckable(true);
            preview->setToolTip(FromUtf8(model.previewTip(channel)));
            preview->setEnabled(!model.partEmpty(channel));
        }
        if (QAbstractButton* part = dialog.button(PartCheckBase + channel)) {
            part->setEnabled(!model.partEmpty(channel));
            part->setToolTip(model.partEmpty(channel) ? FromUtf8(model.previewTip(channel)) : QString());
        }
    }
    dialog.setFieldText(OffsetField, model.text(OffsetField));
    ShowTicks(dialog, model);
}

void RunPartDialog(QWidget* owner, PartDialog& model) {
    TemplateDialog dialog(PartDialogTemplate(model.language()), owner);
    PartHost host(dialog);
    FillPartDialog(dialog, model);
    dialog.onToggle = [&model](int id, bool on) { model.setChecked(id, on); };
    dialog.onText = [&model](int id, const std::string& text) { model.setText(id, text); };
    dialog.onCommand = [&](int id) {
        model.command(id, host);
        if (dialog.isVisible()) {
            ShowTicks(dialog, model);
        }
        if (id == OkButton && dialog.isVisible()) {
            // OK that stopped short shows the offset as stored, held to its range.
            dialog.setFieldText(OffsetField, model.text(OffsetField));
        }
    };
    dialog.exec();
}

void RunKeyDialog(QWidget* owner, KeyDialog& model) {
    TemplateDialog dialog(KeyDialogTemplate(model.language()), owner);
    KeyHost host(dialog);
    for (int lane = 0; lane < KeyDialog::LaneCount; ++lane) {
        if (QComboBox* combo = dialog.list(KeyComboBase + lane)) {
            for (int index = 0; index < KeyChoiceCount; ++index) {
                combo->addItem(FromUtf8(KeyChoiceText(index)));
            }
        }
    }
    const auto show = [&dialog, &model] {
        for (int lane = 0; lane < KeyDialog::LaneCount; ++lane) {
            dialog.setChoice(KeyComboBase + lane, model.selection(lane));
        }
        if (auto* shared = qobject_cast<QLabel*>(dialog.control(SharedKeysText))) {
            shared->setText(FromUtf8(model.duplicateText()));
        }
    };
    show();
    dialog.onChoice = [&](int id, int index) {
        model.select(id - KeyComboBase, index);
        show();
    };
    dialog.onCommand = [&](int id) {
        model.command(id, host);
        if (dialog.isVisible()) {
            show();
        }
    };
    dialog.exec();
}

void RunAboutDialog(QWidget* owner, std::string_view soundLine, Language language) {
    TemplateDialog dialog(AboutDialogTemplate(language), owner);
    if (auto* sound = qobject_cast<QLabel*>(dialog.control(AboutSoundText))) {
        sound->setText(FromUtf8(soundLine));
    }
    dialog.onCommand = [&dialog](int id) {
        if (id == OkButton || id == CancelButton) {
            dialog.done(id);
        }
    };
    dialog.exec();
}

} // namespace tf
