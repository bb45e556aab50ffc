#include "CFindReplacePane.h"

#include "base/Translation.h"
#include "editor/OverviewTableModel.h"
#include "editor/OverviewTables.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

#include <iterator>

namespace {

constexpr int kFirstCode = 1;
constexpr int kLastCode = 4000;

// The fields in the order of the list, with their captions (the property rows' own).
struct FieldChoice {
    FindField field;
    const char* key;
};
constexpr FieldChoice kFields[] = {
    {FindField::Name, "82"},     {FindField::Text, "92"},           {FindField::SendCode, "280"},
    {FindField::Image, "277"},   {FindField::StreamAddress, "297"},
};

} // namespace

CFindReplacePane::CFindReplacePane(QWidget* parent)
    : QDockWidget(parent)
    , findEdit(new QLineEdit)
    , replaceEdit(new QLineEdit)
    , fieldBox(new QComboBox)
    , scopeBox(new QComboBox)
    , matchCase(new QCheckBox)
    , startBox(new QSpinBox)
    , findButton(new QPushButton)
    , replaceButton(new QPushButton)
    , renumberButton(new QPushButton)
    , findLabel(new QLabel)
    , replaceLabel(new QLabel)
    , renumberLabel(new QLabel)
    , status(new QLabel)
    , results(new QTreeView)
    , model(new OverviewTableModel(this))
{
    setObjectName(QStringLiteral("FindReplacePane"));
    findEdit->setObjectName(QStringLiteral("FindText"));
    replaceEdit->setObjectName(QStringLiteral("ReplaceText"));
    findEdit->setClearButtonEnabled(true);
    for (int i = 0; i < static_cast<int>(std::size(kFields)); ++i)
        fieldBox->addItem(QString(), static_cast<int>(kFields[i].field));
    scopeBox->addItem(QString());
    scopeBox->addItem(QString());
    startBox->setRange(kFirstCode, kLastCode);
    status->setWordWrap(true);
    renumberLabel->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    results->setModel(model);
    results->setRootIsDecorated(false);
    results->setUniformRowHeights(true);
    results->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results->header()->setStretchLastSection(true);

    auto* body = new QWidget(this);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(2, 2, 2, 2);
    grid->addWidget(findLabel, 0, 0);
    grid->addWidget(findEdit, 0, 1, 1, 2);
    grid->addWidget(findButton, 0, 3);
    auto* options = new QHBoxLayout;
    options->addWidget(fieldBox);
    options->addWidget(scopeBox);
    options->addWidget(matchCase);
    options->addStretch(1);
    grid->addLayout(options, 1, 1, 1, 3);
    grid->addWidget(replaceLabel, 2, 0);
    grid->addWidget(replaceEdit, 2, 1, 1, 2);
    grid->addWidget(replaceButton, 2, 3);
    grid->addWidget(renumberLabel, 3, 0, 1, 4);
    grid->addWidget(startBox, 4, 1, 1, 2, Qt::AlignRight);
    grid->addWidget(renumberButton, 4, 3);
    grid->setColumnStretch(1, 1);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addLayout(grid);
    layout->addWidget(status);
    layout->addWidget(results, 1);
    setWidget(body);

    connect(findButton, &QPushButton::clicked, this, &CFindReplacePane::FindRequested);
    connect(findEdit, &QLineEdit::returnPressed, this, &CFindReplacePane::FindRequested);
    connect(replaceButton, &QPushButton::clicked, this, &CFindReplacePane::ReplaceRequested);
    connect(renumberButton, &QPushButton::clicked, this, &CFindReplacePane::RenumberRequested);
    connect(fieldBox, &QComboBox::currentIndexChanged, this, [this] { UpdateReplaceState(); });
    connect(findEdit, &QLineEdit::textChanged, this, [this] { UpdateReplaceState(); });
    connect(results, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
        if (const OverviewRow* row = model->Row(index.row()))
            Q_EMIT ElementActivated(row->page, row->element);
    });
    Relabel();
    UpdateReplaceState();
}

FindQuery CFindReplacePane::Query() const
{
    FindQuery q;
    q.field = static_cast<FindField>(fieldBox->currentData().toInt());
    q.text = findEdit->text();
    q.matchCase = matchCase->isChecked();
    return q;
}

bool CFindReplacePane::CurrentPageOnly() const
{
    return scopeBox->currentIndex() == 1;
}

QString CFindReplacePane::Replacement() const
{
    return replaceEdit->text();
}

int CFindReplacePane::RenumberStart() const
{
    return startBox->value();
}

void CFindReplacePane::ShowHits(const std::vector<FindHit>& hits)
{
    std::vector<OverviewRow> rows;
    rows.reserve(hits.size());
    for (const FindHit& hit : hits) {
        OverviewRow r;
        r.cells = {hit.page, hit.element, OverviewTables::TypeName(hit.type), hit.value};
        r.page = hit.page;
        r.element = hit.element;
        rows.push_back(std::move(r));
    }
    model->SetRows(std::move(rows));
}

void CFindReplacePane::ShowStatus(const QString& text)
{
    status->setText(text);
}

void CFindReplacePane::Relabel()
{
    setWindowTitle(Translate("1477"));
    findLabel->setText(Translate("1478"));
    replaceLabel->setText(Translate("1479"));
    renumberLabel->setText(Translate("1485"));
    findButton->setText(Translate("1478"));
    replaceButton->setText(Translate("1484"));
    renumberButton->setText(Translate("1486"));
    matchCase->setText(Translate("1483"));
    for (int i = 0; i < static_cast<int>(std::size(kFields)); ++i)
        fieldBox->setItemText(i, Translate(QString::fromLatin1(kFields[i].key)));
    scopeBox->setItemText(0, Translate("1481"));
    scopeBox->setItemText(1, Translate("1482"));
    findEdit->setPlaceholderText(Query().field == FindField::SendCode ? Translate("1480") : QString());
    model->SetHeaders({Translate("1071"), Translate("1072"), Translate("1456"), Translate("1495")});
}

void CFindReplacePane::FocusFind()
{
    findEdit->setFocus();
    findEdit->selectAll();
}

void CFindReplacePane::UpdateReplaceState()
{
    const FindQuery q = Query();
    replaceButton->setEnabled(FindReplace::CanReplace(q.field) && !q.text.isEmpty());
    replaceEdit->setEnabled(FindReplace::CanReplace(q.field));
    matchCase->setEnabled(q.field != FindField::SendCode);
    findEdit->setPlaceholderText(q.field == FindField::SendCode ? Translate("1480") : QString());
}
