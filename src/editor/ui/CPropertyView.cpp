#include "CPropertyView.h"

#include "CMFCMyPropertyGridCtrl.h"
#include "editor/PropertyViewParentDelegate.h"

#include <QLabel>
#include <QVBoxLayout>

CPropertyView::CPropertyView(QWidget* parent)
    : QDockWidget(parent)
    , grid(new CMFCMyPropertyGridCtrl)
{
    setObjectName(QStringLiteral("PropertyPane"));
    auto* body = new QWidget(this);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(grid, 1);
    layout->addWidget(grid->DescriptionArea());
    setWidget(body);
    grid->SetListener(this);
}

void CPropertyView::PropertyEdited(CMFCMyPropertyGridProperty& property)
{
    if (delegate)
        delegate->PropertyChanged(property);
}

bool CPropertyView::PropertyButton(CMFCMyPropertyGridProperty& property)
{
    return delegate && delegate->PropertyButton(property);
}

bool CPropertyView::IsInEditor(const QWidget* widget) const
{
    return widget && grid->viewport()->isAncestorOf(widget);
}

void CPropertyView::ShowModel(PropertyGridModel& model)
{
    grid->SetModel(&model);
}

QStringList CPropertyView::RowTexts() const
{
    QStringList rows;
    for (QTreeWidgetItemIterator it(grid); *it; ++it)
        rows << ((*it)->text(1).isEmpty() ? (*it)->text(0) : (*it)->text(0) + QStringLiteral(": ") + (*it)->text(1));
    return rows;
}
