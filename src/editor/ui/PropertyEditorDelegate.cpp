#include "PropertyEditorDelegate.h"

#include "CMFCMyPropertyGridCtrl.h"
#include "ColourSwatch.h"

#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace {

// The colours offered before the further-colours choice.
constexpr COLORREF kStandardColours[] = {
    MakeRgb(0, 0, 0),       MakeRgb(255, 255, 255), MakeRgb(128, 128, 128), MakeRgb(192, 192, 192),
    MakeRgb(255, 0, 0),     MakeRgb(128, 0, 0),     MakeRgb(255, 255, 0),   MakeRgb(128, 128, 0),
    MakeRgb(0, 255, 0),     MakeRgb(0, 128, 0),     MakeRgb(0, 255, 255),   MakeRgb(0, 128, 128),
    MakeRgb(0, 0, 255),     MakeRgb(0, 0, 128),     MakeRgb(255, 0, 255),   MakeRgb(128, 0, 128),
};
constexpr int kColourRole = Qt::UserRole + 1;
constexpr int kFurtherColours = -1;
constexpr char kEditorName[] = "PropertyValueEditor";



// One editor for every kind of row: a line edit or a list, and the row's button. It only
// hands its value to the grid (which queues it) and asks to be closed; it never runs the
// element's code itself, so nothing it calls can open a dialog while it is being closed.
class ValueEditor : public QWidget {
public:
    ValueEditor(QWidget* parent, const CMFCMyPropertyGridProperty& property, CMFCMyPropertyGridCtrl* grid,
                const PropertyEditorDelegate* delegate)
        : QWidget(parent), kind(property.kind), id(property.data)
    {
        setObjectName(QString::fromLatin1(kEditorName));
        auto* self = const_cast<PropertyEditorDelegate*>(delegate);
        auto* layout = new QHBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        switch (kind) {
        case PropertyKind::Options:
        case PropertyKind::Font:
            combo = new QComboBox(this);
            combo->setEditable(property.allowEdit);
            combo->addItems(property.options);
            break;
        case PropertyKind::Color:
            combo = new QComboBox(this);
            for (COLORREF c : kStandardColours) {
                combo->addItem(ColourSwatch(c), ColourText(c));
                combo->setItemData(combo->count() - 1, static_cast<qulonglong>(c), kColourRole);
            }
            combo->addItem(property.buttonCaption.isEmpty() ? QStringLiteral("...") : property.buttonCaption);
            combo->setItemData(combo->count() - 1, kFurtherColours, kColourRole);
            break;
        default:
            line = new QLineEdit(this);
            line->setFrame(false);
            if (kind == PropertyKind::Integer)
                line->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,10}")), line));
            line->setPlaceholderText(property.placeholder);
            break;
        }
        QWidget* main = combo ? static_cast<QWidget*>(combo) : line;
        layout->addWidget(main, 1);
        setFocusProxy(main);
        main->installEventFilter(self);
        if (property.hasButton) {
            auto* button = new QToolButton(this);
            button->setText(QStringLiteral("..."));
            button->setFocusPolicy(Qt::NoFocus);
            QObject::connect(button, &QToolButton::clicked, this, [this, grid, self] {
                if (!grid->IsOpenEditor(this))
                    return;
                grid->QueueButton(id);
                Q_EMIT self->closeEditor(this);
            });
            layout->addWidget(button);
        }
        if (kind == PropertyKind::Color) {
            QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), this, [this, grid, self](int index) {
                if (!grid->IsOpenEditor(this))
                    return;
                if (combo->itemData(index, kColourRole).toInt() == kFurtherColours)
                    furtherColours = true; // the colour dialog opens once this editor has closed
                else
                    colour = static_cast<COLORREF>(combo->itemData(index, kColourRole).toULongLong());
                picked = true;
                Q_EMIT self->commitData(this);
                Q_EMIT self->closeEditor(this);
            });
        }
    }

    quint32 Id() const { return id; }
    const QVariant& Initial() const { return initial; }
    bool WantsFurtherColours() const { return furtherColours; }
    COLORREF Colour() const { return colour; }

    void SetValue(const CMFCMyPropertyGridProperty& property)
    {
        initial = property.GetValue();
        if (!initial.isValid()) {
            // Several elements with different values: nothing is chosen until the user does.
            if (combo)
                combo->setCurrentIndex(-1);
            return;
        }
        if (kind == PropertyKind::Color) {
            SetColour(property.GetColor());
        } else if (combo) {
            const int at = combo->findText(property.GetText());
            if (at >= 0)
                combo->setCurrentIndex(at);
            else if (combo->isEditable())
                combo->setEditText(property.GetText());
            else
                combo->setCurrentIndex(-1);
        } else {
            line->setText(kind == PropertyKind::Integer ? QString::number(property.GetInt()) : property.GetText());
            line->selectAll();
        }
    }

    QVariant Value() const
    {
        if (kind == PropertyKind::Color)
            return initial.isValid() || picked ? QVariant(static_cast<qulonglong>(colour)) : initial;
        // Nothing chosen from a fixed list, or a row of differing values left empty: no edit.
        if ((combo && !combo->isEditable() && combo->currentIndex() < 0) || (!initial.isValid() && Text().isEmpty()))
            return initial;
        if (combo)
            return combo->currentText();
        if (kind == PropertyKind::Integer) {
            bool ok = false;
            const qlonglong v = line->text().toLongLong(&ok);
            // Not a number: the element's range check refuses it and puts the old value back.
            return ok ? QVariant(v) : QVariant(line->text());
        }
        return line->text();
    }

private:
    QString Text() const { return combo ? combo->currentText() : line->text(); }

    // Shows c, adding it to the list when it is none of the standard colours.
    void SetColour(COLORREF c)
    {
        colour = c;
        for (int i = 0; i < combo->count(); ++i) {
            if (combo->itemData(i, kColourRole).toInt() != kFurtherColours
                && static_cast<COLORREF>(combo->itemData(i, kColourRole).toULongLong()) == c) {
                combo->setCurrentIndex(i);
                return;
            }
        }
        combo->insertItem(0, ColourSwatch(c), ColourText(c));
        combo->setItemData(0, static_cast<qulonglong>(c), kColourRole);
        combo->setCurrentIndex(0);
    }

    PropertyKind kind;
    quint32 id;
    QVariant initial;
    bool furtherColours = false;
    bool picked = false;
    QComboBox* combo = nullptr;
    QLineEdit* line = nullptr;
    COLORREF colour = 0;
};

} // namespace

PropertyEditorDelegate::PropertyEditorDelegate(CMFCMyPropertyGridCtrl* grid) : QStyledItemDelegate(grid), grid(grid) {}

QWidget* PropertyEditorDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem&,
                                              const QModelIndex& index) const
{
    const CMFCMyPropertyGridProperty* property = grid->PropertyAt(index);
    if (!property || property->kind == PropertyKind::Group || !property->enabled || index.column() != 1)
        return nullptr;
    auto* editor = new ValueEditor(parent, *property, grid, this);
    grid->EditorOpened(editor);
    return editor;
}

void PropertyEditorDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    if (const CMFCMyPropertyGridProperty* property = grid->PropertyAt(index))
        static_cast<ValueEditor*>(editor)->SetValue(*property);
}

void PropertyEditorDelegate::setModelData(QWidget* editor, QAbstractItemModel*, const QModelIndex&) const
{
    if (!grid->IsOpenEditor(editor))
        return;
    const auto* e = static_cast<ValueEditor*>(editor);
    if (e->WantsFurtherColours()) {
        grid->QueueColourChoice(e->Id(), e->Colour());
        return;
    }
    const QVariant value = e->Value();
    if (value == e->Initial())
        return; // nothing typed: no edit, no undo step
    grid->QueueValue(e->Id(), value);
}

bool PropertyEditorDelegate::eventFilter(QObject* object, QEvent* event)
{
    QObject* editor = object;
    while (editor && editor->objectName() != QLatin1String(kEditorName))
        editor = editor->parent();
    // An editor the grid has closed (it waits for its deletion) no longer commits.
    if (!editor || !grid->IsOpenEditor(static_cast<QWidget*>(editor)))
        return false;
    // A key the inner line edit or list did not take comes up to the editor itself:
    // handled once, at the inner widget, or Enter would commit and close twice.
    if (object == editor && (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride))
        return false;
    return QStyledItemDelegate::eventFilter(editor, event);
}

void PropertyEditorDelegate::updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                                                  const QModelIndex&) const
{
    editor->setGeometry(option.rect);
}
