#include "XControl.h"

#include "ControlMainDelegate.h"
#include "ControlProjectDataDelegate.h"
#include "FieldTable.h"
#include "MyFile.h"
#include "PageWindow.h"
#include "PropertyGridModel.h"
#include "PropertyRows.h"
#include "TActionCommand.h"
#include "TypeRegistry.h"
#include "XPage.h"
#include "base/Translation.h"
#include "base/UiSeam.h"

#include <QJsonObject>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <memory>

namespace {
constexpr int kMaxSize = 5000;
}

XControl::XControl() = default;
XControl::~XControl() = default;

void XControl::OnDoubleClick(QPoint) {}

PageWindow* XControl::GetPageWindow() const
{
    return page ? page->window : nullptr;
}

bool XControl::HitTest(QPoint point) const
{
    int width = lineWidth;
    if (selected && width < 7)
        width = 7;
    return Bounds().Inflated(width / 2 + 1).Contains(point.x(), point.y());
}

int XControl::HitTestHandle(QPoint point) const
{
    const IntRect first{x1 - 3, y1 - 3, x1 + 4, y1 + 4};
    if (first.Contains(point.x(), point.y()))
        return 1;
    const IntRect second{x2 - 3, y2 - 3, x2 + 4, y2 + 4};
    if (second.Contains(point.x(), point.y()))
        return 9;
    return 0;
}

void XControl::NormalizeBounds()
{
    SetBounds(Bounds());
}

void XControl::FillProperties(PropertyGridModel& grid)
{
    if (const PropertyTable* table = Properties())
        table->Fill(*this, grid);
    else
        grid.RemoveAll();
}

bool XControl::OnPropertyChanged(CMFCMyPropertyGridProperty& property)
{
    std::unique_ptr<XControl> before(Clone(true));
    if (!ApplyProperty(property))
        return false;
    RecordChange(before.release());
    return true;
}

bool XControl::ApplyProperty(CMFCMyPropertyGridProperty& property)
{
    const PropertyTable* table = Properties();
    return table && table->Apply(*this, property);
}

int XControl::OnPropertyButton(CMFCMyPropertyGridProperty& property)
{
    const PropertyTable* table = Properties();
    const PropertyRow* row = table ? table->Find(property.data) : nullptr;
    if (!row || !row->button)
        return 0;
    // Taken even when its dialog was cancelled: "handled" is not "changed".
    row->button(*this, property);
    return 1;
}

bool XControl::ApplySize(CMFCMyPropertyGridProperty& property, bool width)
{
    const IntRect b = Bounds();
    const int old = width ? b.Width() : b.Height();
    int v = 0;
    if (!PropertyHelpers::AcceptInt(property, 0, kMaxSize, width ? QStringLiteral("115") : QStringLiteral("116"),
                                    old, v))
        return false;
    if (v == old && (width ? x1 <= x2 : y1 <= y2))
        return false;
    if (width)
        x2 = x1 + v;
    else
        y2 = y1 + v;
    InvalidatePageWindow();
    return true;
}

void XControl::ResolveReferences() {}

bool XControl::Rename(const QString& newName)
{
    if (newName.isEmpty())
        return false;
    if (page) {
        for (XControl* c : page->controls) {
            if (c != this && c->name == newName) {
                ShowMessage("73", "70");
                return false;
            }
        }
    }
    name = newName;
    if (mainDelegate)
        mainDelegate->UpdateTreeItem(this);
    return true;
}

bool XControl::Save(MyFile& file)
{
    const FieldTable* table = Fields();
    if (!table)
        return false;
    // The table writes the current layout, so the record says the current version.
    recordVersion = table->CurrentVersion();
    return WriteRecordVersion(file) && WriteType(file) && table->Save(*this, file);
}

bool XControl::Load(MyFile& file, int version)
{
    const FieldTable* table = Fields();
    return table && table->Load(*this, file, version) && !file.Failed();
}

QStringList XControl::ImageNames() const
{
    const FieldTable* table = Fields();
    return table ? table->ImageNames(*this) : QStringList();
}

void XControl::ClearReferences()
{
    if (const FieldTable* table = Fields())
        table->ClearReferences(*this);
}

void XControl::CopyFrom(const XControl& other, bool withIdentity)
{
    mainDelegate = other.mainDelegate;
    projectData = other.projectData;
    page = other.page;
    x1 = other.x1;
    y1 = other.y1;
    x2 = other.x2;
    y2 = other.y2;
    lineWidth = other.lineWidth;
    color = other.color;
    if (withIdentity) {
        name = other.name;
        selected = other.selected;
    }
    if (const FieldTable* table = Fields())
        table->Copy(*this, other, withIdentity);
}

bool XControl::SetValue(int) { return false; }
bool XControl::SetTextColor(COLORREF) { return false; }
bool XControl::SetFont(const FontDesc&) { return false; }
bool XControl::SetText(const QString&) { return false; }
bool XControl::SetInterlockGroup(const QString&) { return false; }

void XControl::Scale(int newWidth, int oldWidth, int newHeight, int oldHeight)
{
    if (oldWidth == 0 || oldHeight == 0)
        return;
    // x × new first, then ÷ old: exact whenever the true result is a whole number.
    auto scale = [](qint32 v, int n, int o) {
        return static_cast<qint32>(std::trunc(static_cast<double>(v) * n / o));
    };
    x1 = scale(x1, newWidth, oldWidth);
    x2 = scale(x2, newWidth, oldWidth);
    y1 = scale(y1, newHeight, oldHeight);
    y2 = scale(y2, newHeight, oldHeight);
}

void XControl::CopyAppearance(const XControl& other)
{
    if (const FieldTable* table = Fields())
        table->CopyLook(*this, other);
}
bool XControl::SetLinkText(const QString&) { return true; }

bool XControl::WriteType(MyFile& file) const { return file.WriteByte(GetType()); }
bool XControl::WriteRecordVersion(MyFile& file) const { return file.WriteByte(recordVersion); }
bool XControl::WriteName(MyFile& file) const { return file.WriteString(name); }

bool XControl::WriteBounds(MyFile& file) const
{
    return file.WriteDword(x1) && file.WriteDword(y1) && file.WriteDword(x2) && file.WriteDword(y2);
}

bool XControl::WriteLineWidth(MyFile& file) const { return file.WriteWord(lineWidth); }
bool XControl::WriteColor(MyFile& file) const { return file.WriteColor(color); }
void XControl::ReadRecordVersion(MyFile& file) { recordVersion = file.ReadByte(); }
void XControl::ReadName(MyFile& file) { name = file.ReadString(); }

void XControl::ReadBounds(MyFile& file)
{
    x1 = file.ReadDword();
    y1 = file.ReadDword();
    x2 = file.ReadDword();
    y2 = file.ReadDword();
}

void XControl::ReadLineWidth(MyFile& file) { lineWidth = file.ReadWord(); }
void XControl::ReadColor(MyFile& file) { color = file.ReadColor(); }

void XControl::DrawSelectionFrame(QPainter& dc) const
{
    if (!mainDelegate)
        return;
    const IntRect r = mainDelegate->MapRect(Bounds());
    dc.save();
    QPen pen(ToQColor(SelectionColor()));
    pen.setWidth(1);
    pen.setCosmetic(true);
    dc.setPen(pen);
    dc.setBrush(Qt::NoBrush);
    dc.setRenderHint(QPainter::Antialiasing, false);
    // A GDI rectangle covers right - 1 and bottom - 1; QPainter's outline of the same
    // QRect(x, y, w - 1, h - 1) does too.
    dc.drawRect(QRect(r.left, r.top, std::max(0, r.Width() - 1), std::max(0, r.Height() - 1)));
    dc.restore();
}

void XControl::DrawEndHandles(QPainter& dc) const
{
    if (!mainDelegate)
        return;
    const QColor c = ToQColor(SelectionColor());
    for (const QPoint& p : {mainDelegate->MapPoint(x1, y1), mainDelegate->MapPoint(x2, y2)})
        dc.fillRect(QRect(p.x() - 3, p.y() - 3, 7, 7), c);
}

void XControl::DescribeFields(QJsonObject& out) const
{
    out.insert(QStringLiteral("type"), GetType());
    out.insert(QStringLiteral("typeKey"), GetTypeKey());
    out.insert(QStringLiteral("recordVersion"), recordVersion);
    if (const FieldTable* table = Fields()) {
        table->Describe(*this, out);
        return;
    }
    out.insert(QStringLiteral("name"), name);
    out.insert(QStringLiteral("x1"), x1);
    out.insert(QStringLiteral("y1"), y1);
    out.insert(QStringLiteral("x2"), x2);
    out.insert(QStringLiteral("y2"), y2);
}

XControl* XControl::Clone(bool withIdentity) const
{
    XControl* copy = CreateElement(GetType());
    if (copy)
        copy->CopyFrom(*this, withIdentity);
    return copy;
}

IntRect XControl::Bounds() const
{
    return IntRect{x1, y1, x2, y2}.Normalized();
}

void XControl::SetBounds(const IntRect& r)
{
    x1 = r.left;
    y1 = r.top;
    x2 = r.right;
    y2 = r.bottom;
}

void XControl::MoveBy(int dx, int dy)
{
    x1 += dx;
    x2 += dx;
    y1 += dy;
    y2 += dy;
}

void XControl::TakeSizeOf(const XControl& other)
{
    const IntRect ob = other.Bounds();
    SetBounds(Bounds());
    x2 = x1 + ob.Width();
    y2 = y1 + ob.Height();
}

void XControl::ApplyAlignCode(int code, int v)
{
    const IntRect b = Bounds();
    switch (code) {
    case 20:
    case 26: MoveBy(v - x1, 0); break;
    case 21: MoveBy(v - x2, 0); break;
    case 22:
    case 27: MoveBy(0, v - y1); break;
    case 23: MoveBy(0, v - y2); break;
    case 24: MoveBy(v, 0); break;
    case 25: MoveBy(0, v); break;
    case 28: MoveBy(0, v - (b.top + (b.bottom - b.top) / 2)); break;
    case 29: MoveBy(v - (b.left + (b.right - b.left) / 2), 0); break;
    default: break;
    }
}

QString XControl::GetTypeKey() const
{
    return ::GetTypeKey(GetType());
}

void XControl::RecordChange(XControl* snapshot)
{
    if (page && page != this)
        page->PushCommand(new TControlChangeCommand(snapshot, this));
    else
        delete snapshot;
}

void XControl::NoteModified() const
{
    if (page)
        ++page->revision;
    if (projectData)
        projectData->MarkModified();
}

void XControl::InvalidatePageWindow() const
{
    if (PageWindow* w = GetPageWindow())
        w->InvalidatePage();
}
