#include "app/qt/TemplateDialog.h"

#include "app/shell/CommandIds.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace tf {

QFont DialogFont(int points) {
    const QStringList families = QFontDatabase::families();
    QFont font(families.contains(QStringLiteral("MS UI Gothic")) ? QStringLiteral("MS UI Gothic")
                                                                 : QStringLiteral("IPAPGothic"));
    font.setPointSize(points);
    return font;
}

TemplateDialog::TemplateDialog(const DialogTemplate& layout, QWidget* owner) : QDialog(owner) {
    setWindowTitle(QString::fromStdString(layout.caption));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setFont(DialogFont(layout.fontPoints));
    // The classic dialog base unit: the average width of the 52 letters and the font height.
    const QFontMetrics metrics(font());
    const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
    baseWidth = (metrics.horizontalAdvance(letters) / 26 + 1) / 2;
    baseHeight = metrics.height();

    std::map<int, QButtonGroup*> radioGroups;
    for (const DialogControl& c : layout.controls) {
        QWidget* widget = makeControl(c, radioGroups);
        // A drop-down list's height is that of its open list; the closed box is one line.
        const int height = c.kind == ControlKind::DropDownList
                               ? std::max(unitsToY(12), widget->sizeHint().height())
                               : unitsToY(c.height);
        widget->setGeometry(unitsToX(c.x), unitsToY(c.y), unitsToX(c.width), height);
        if (c.id != NoControlId) {
            widget->setObjectName(QStringLiteral("id%1").arg(c.id));
            controls[c.id] = widget;
        }
    }
    setFixedSize(unitsToX(layout.width), unitsToY(layout.height));
}

QWidget* TemplateDialog::makeControl(const DialogControl& c, std::map<int, QButtonGroup*>& radioGroups) {
    const QString caption = QString::fromStdString(c.caption);
    switch (c.kind) {
    case ControlKind::GroupBox:
        return new QGroupBox(caption, this);
    case ControlKind::Label:
        return makeLabel(caption, c.height);
    case ControlKind::Icon: {
        auto* label = new QLabel(this);
        label->setPixmap(QApplication::windowIcon().pixmap(32, 32));
        return label;
    }
    case ControlKind::CheckBox:
        return makeCheckBox(caption, c.id);
    case ControlKind::RadioButton:
        return makeRadioButton(caption, c.id, radioGroups[c.radioGroup]);
    case ControlKind::PushButton:
    case ControlKind::DefaultPushButton:
        return makePushButton(caption, c.id, c.kind == ControlKind::DefaultPushButton);
    case ControlKind::DropDownList:
        return makeList(c.id);
    case ControlKind::NumberField:
        return makeField(caption, c.id);
    }
    return new QLabel(caption, this);
}

QWidget* TemplateDialog::makeLabel(const QString& caption, int height) {
    auto* label = new QLabel(caption, this);
    // A label taller than a line may wrap; a one-line label keeps to its line.
    if (height > 12) {
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    }
    label->setTextFormat(Qt::PlainText);
    return label;
}

QWidget* TemplateDialog::makeCheckBox(const QString& caption, int id) {
    auto* box = new QCheckBox(caption, this);
    connect(box, &QCheckBox::toggled, this, [this, id](bool on) {
        if (onToggle) {
            onToggle(id, on);
        }
    });
    return box;
}

QWidget* TemplateDialog::makeRadioButton(const QString& caption, int id, QButtonGroup*& group) {
    auto* radio = new QRadioButton(caption, this);
    radio->setFocusPolicy(Qt::ClickFocus);
    if (group == nullptr) {
        group = new QButtonGroup(this);
    }
    group->addButton(radio);
    connect(radio, &QRadioButton::toggled, this, [this, id](bool on) {
        if (onToggle) {
            onToggle(id, on);
        }
    });
    return radio;
}

QWidget* TemplateDialog::makePushButton(const QString& caption, int id, bool isDefault) {
    auto* push = new QPushButton(caption, this);
    push->setAutoDefault(false);
    push->setDefault(isDefault);
    connect(push, &QPushButton::clicked, this, [this, id] {
        if (onCommand) {
            onCommand(id);
        }
    });
    return push;
}

QWidget* TemplateDialog::makeList(int id) {
    auto* combo = new QComboBox(this);
    combo->setEditable(false);
    combo->setMaxVisibleItems(8);
    connect(combo, &QComboBox::activated, this, [this, id](int index) {
        if (onChoice) {
            onChoice(id, index);
        }
    });
    return combo;
}

QWidget* TemplateDialog::makeField(const QString& caption, int id) {
    auto* field = new QLineEdit(caption, this);
    field->setMaxLength(8);
    field->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    connect(field, &QLineEdit::textEdited, this, [this, id](const QString& text) {
        if (onText) {
            onText(id, text.toStdString());
        }
    });
    return field;
}

int TemplateDialog::unitsToX(int x) const {
    return (x * baseWidth + 2) / 4;
}
int TemplateDialog::unitsToY(int y) const {
    return (y * baseHeight + 4) / 8;
}

QWidget* TemplateDialog::control(int id) const {
    const auto it = controls.find(id);
    return it == controls.end() ? nullptr : it->second;
}

QAbstractButton* TemplateDialog::button(int id) const {
    return qobject_cast<QAbstractButton*>(control(id));
}

QComboBox* TemplateDialog::list(int id) const {
    return qobject_cast<QComboBox*>(control(id));
}

void TemplateDialog::setTicked(int id, bool on) {
    if (QAbstractButton* b = button(id)) {
        const QSignalBlocker blocker(b);
        // An exclusive group refuses to clear its checked button directly.
        if (!on && b->group() != nullptr && b->isChecked()) {
            b->group()->setExclusive(false);
            b->setChecked(false);
            b->group()->setExclusive(true);
        } else {
            b->setChecked(on);
        }
    }
}

void TemplateDialog::setChoice(int id, int index) {
    if (QComboBox* combo = list(id)) {
        const QSignalBlocker blocker(combo);
        combo->setCurrentIndex(index);
    }
}

void TemplateDialog::setFieldText(int id, const std::string& text) {
    if (auto* field = qobject_cast<QLineEdit*>(control(id))) {
        const QSignalBlocker blocker(field);
        field->setText(QString::fromStdString(text));
    }
}

void TemplateDialog::reject() {
    if (onCommand) {
        onCommand(CancelButton);
    } else {
        QDialog::reject();
    }
}

} // namespace tf
