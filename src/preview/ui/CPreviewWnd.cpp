#include "CPreviewWnd.h"

#include "CPreviewView.h"
#include "base/Translation.h"
#include "model/ProjectData.h"
#include "model/XPage.h"
#include "preview/PreviewModel.h"
#include "preview/PreviewSnapshot.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QListWidget>
#include <QScreen>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace {
constexpr int kLogWidth = 340;
// Room the window's frame, header and margins take beside the page.
constexpr int kChromeWidth = kLogWidth + 80;
constexpr int kChromeHeight = 140;
constexpr double kSmallestZoom = 0.1;
}

CPreviewWnd::CPreviewWnd(std::function<const ProjectData*()> projectSource, QWidget* parent)
    : QWidget(parent, Qt::Window), source(std::move(projectSource))
{
    setObjectName(QStringLiteral("previewWindow"));
    setAttribute(Qt::WA_DeleteOnClose, false);
    backButton = new QToolButton(this);
    backButton->setObjectName(QStringLiteral("previewBack"));
    backButton->setArrowType(Qt::LeftArrow);
    backButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    resetButton = new QToolButton(this);
    resetButton->setObjectName(QStringLiteral("previewReset"));
    pageName = new QLabel(this);
    pageName->setObjectName(QStringLiteral("previewPage"));
    QFont bold = pageName->font();
    bold.setBold(true);
    pageName->setFont(bold);
    view = new CPreviewView(this);
    logTitle = new QLabel(this);
    logList = new QListWidget(this);
    logList->setObjectName(QStringLiteral("previewLog"));
    logList->setFixedWidth(kLogWidth);
    logList->setWordWrap(true);

    auto* header = new QHBoxLayout;
    header->addWidget(backButton);
    header->addWidget(pageName, 1);
    header->addWidget(resetButton);
    auto* left = new QVBoxLayout;
    left->addLayout(header);
    left->addWidget(view, 0, Qt::AlignLeft | Qt::AlignTop);
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(logTitle);
    right->addWidget(logList, 1);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left);
    layout->addLayout(right);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(backButton, &QToolButton::clicked, this, [this] { Back(); });
    connect(resetButton, &QToolButton::clicked, this, [this] { Reset(); });
    auto* backKey = new QShortcut(QKeySequence(Qt::ALT | Qt::Key_Left), this);
    connect(backKey, &QShortcut::activated, this, [this] { Back(); });
    auto* resetKey = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(resetKey, &QShortcut::activated, this, [this] { Reset(); });
    auto* closeKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(closeKey, &QShortcut::activated, this, &QWidget::close);
    view->SetChanged([this] { Refresh(); });
}

CPreviewWnd::~CPreviewWnd()
{
    view->SetModel(nullptr);
}

double CPreviewWnd::FitZoom() const
{
    const ProjectData* project = source ? source() : nullptr;
    const QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
    if (!project || !screen || project->screen.width <= 0 || project->screen.height <= 0)
        return 1.0;
    const QSize room = screen->availableGeometry().size() - QSize(kChromeWidth, kChromeHeight);
    const double zoom = std::min({1.0, double(room.width()) / project->screen.width,
                                  double(room.height()) / project->screen.height});
    return std::max(kSmallestZoom, zoom);
}

bool CPreviewWnd::Start(const QString& page)
{
    const ProjectData* project = source ? source() : nullptr;
    view->SetModel(nullptr);
    model.reset();
    snapshot.reset();
    if (!project)
        return false;
    startPage = page;
    snapshot = std::make_unique<PreviewSnapshot>(*project);
    snapshot->Delegate().zoom = FitZoom();
    model = std::make_unique<PreviewModel>(*snapshot);
    model->Reset(startPage);
    if (!model->ShownPage()) {
        model.reset();
        snapshot.reset();
        return false;
    }
    setWindowTitle(Translate(QStringLiteral("1500")) + QStringLiteral(" · ") + project->GetName());
    view->SetModel(model.get());
    Refresh();
    return true;
}

void CPreviewWnd::Reset()
{
    // The project as it is now: edits made since the preview started show.
    if (!Start(startPage))
        close();
}

void CPreviewWnd::Back()
{
    if (model && model->Back()) {
        view->Refit();
        Refresh();
    }
}

void CPreviewWnd::Refresh()
{
    backButton->setText(Translate(QStringLiteral("1502")));
    resetButton->setText(Translate(QStringLiteral("1503")));
    logTitle->setText(Translate(QStringLiteral("1504")));
    backButton->setEnabled(model && model->CanGoBack());
    pageName->setText(model && model->ShownPage() ? model->ShownPage()->name : QString());
    const QList<PreviewLogEntry> empty;
    const QList<PreviewLogEntry>& log = model ? model->Log() : empty;
    // The log grows at its end; once full it drops its oldest entries, and a reset empties it.
    if (logList->count() > log.size() || log.size() >= PreviewModel::kLogLimit)
        logList->clear();
    for (int i = static_cast<int>(logList->count()); i < log.size(); ++i)
        logList->addItem(PreviewLog::Format(log[i]));
    logList->scrollToBottom();
}
