#pragma once

#include "base/Colorref.h"
#include "base/FontDesc.h"
#include "base/IntRect.h"

#include <QPoint>
#include <QString>
#include <QStringList>

class CMFCMyPropertyGridProperty;
class ControlMainDelegate;
class FieldTable;
class PropertyTable;
class ControlProjectDataDelegate;
class MyFile;
class PageWindow;
class PropertyGridModel;
class QJsonObject;
class QPainter;
class XPage;

// Common base of every project element: pages, sub-pages and the controls on them.
// The virtual operations form the element protocol through which the editor draws,
// hit-tests, edits, copies, saves and loads an element without knowing its class.
class XControl {
public:
    XControl();
    virtual ~XControl();
    XControl(const XControl&) = delete;
    XControl& operator=(const XControl&) = delete;

    virtual int GetType() const = 0;
    // The property rows of the class in grid order; null for an element that fills the
    // grid by hand. FillProperties, OnPropertyChanged and OnPropertyButton use them.
    virtual const PropertyTable* Properties() const { return nullptr; }
    virtual void FillProperties(PropertyGridModel& grid);
    // Applies an edited row through ApplyProperty and records the change for undo: the
    // one place where a property edit takes its snapshot.
    virtual bool OnPropertyChanged(CMFCMyPropertyGridProperty& property);
    // Applies an edited row as OnPropertyChanged does but records nothing: for edits of
    // many elements at once, which record one undo step per page themselves.
    bool ApplyEdit(CMFCMyPropertyGridProperty& property) { return ApplyProperty(property); }
    // The stored fields of the class, in record order; null for an element that writes
    // its record by hand. Save, Load, DescribeFields, CopyFrom, CopyAppearance and the
    // image and reference look-ups below are driven by it.
    virtual const FieldTable* Fields() const { return nullptr; }
    // Writes the whole record; Load reads it from the name on (the page or project has
    // read the version and type bytes) and refuses record versions it does not know.
    virtual bool Save(MyFile& file);
    virtual bool Load(MyFile& file, int version);
    virtual void Draw(QPainter& dc) = 0;
    virtual void Refresh() = 0;
    virtual void OnDoubleClick(QPoint point);
    virtual PageWindow* GetPageWindow() const;
    virtual bool HitTest(QPoint point) const;
    virtual int HitTestHandle(QPoint point) const;
    virtual void NormalizeBounds();
    virtual int OnPropertyButton(CMFCMyPropertyGridProperty& property);
    virtual void ResolveReferences();
    virtual bool Rename(const QString& newName);
    virtual void CopyFrom(const XControl& other, bool withIdentity);
    virtual bool SetValue(int v);
    virtual bool SetTextColor(COLORREF c);
    virtual bool SetFont(const FontDesc& font);
    virtual bool SetText(const QString& text);
    virtual bool SetInterlockGroup(const QString& groupName);
    virtual void Scale(int newWidth, int oldWidth, int newHeight, int oldHeight);
    virtual void CopyAppearance(const XControl& other);
    virtual bool SetLinkText(const QString& text);

    bool WriteType(MyFile& file) const;
    bool WriteRecordVersion(MyFile& file) const;
    bool WriteName(MyFile& file) const;
    bool WriteBounds(MyFile& file) const;
    bool WriteLineWidth(MyFile& file) const;
    bool WriteColor(MyFile& file) const;
    void ReadRecordVersion(MyFile& file);
    void ReadName(MyFile& file);
    void ReadBounds(MyFile& file);
    void ReadLineWidth(MyFile& file);
    void ReadColor(MyFile& file);

    virtual void DrawSelectionFrame(QPainter& dc) const;
    virtual void DrawEndHandles(QPainter& dc) const;

    // References kept by name. After an undo restored an element, every name is looked
    // up again and a name that no longer resolves becomes "NONE".
    virtual void RefreshReferences() {}
    // A page, a control or an interlock group is going away: drop references to it.
    virtual void ForgetPage(const XPage* page) {}
    virtual void ForgetControl(const XControl* control) {}
    virtual void ForgetInterlockGroup(const QString* group) {}
    // The activation flag of buttons (shown pressed); -1 for elements without one.
    virtual int GetActiveFlag() const { return -1; }
    virtual void SetActiveFlag(int flag) {}
    // Display walls: the screen under a page point takes an address (the address brush).
    virtual bool SetScreenAddressAt(QPoint point, const QString& address) { return false; }
    // Whether a page point lies on one of the element's screens (display walls).
    virtual bool HasScreenAt(QPoint point) const { return false; }
    // Every stored field under its own name, for the command-line tool.
    virtual void DescribeFields(QJsonObject& out) const;

    // The suffixes of the text images a save writes for the element ("" and "_1" for a
    // font button), none for an element that writes none.
    virtual QStringList TextImageSuffixes() const { return {}; }
    // The names of the project images the element shows ("NONE" left out).
    QStringList ImageNames() const;
    // Cuts every reference to another element to "NONE" (a paste into another project).
    void ClearReferences();

    // Width or height from an edited row, in 0..5000 with its message; x2 or y2 follows
    // from x1 or y1. True when the element changed.
    bool ApplySize(CMFCMyPropertyGridProperty& property, bool width);
    // Repaints the design view of the element's page, if it is open.
    void InvalidatePageWindow() const;
    // Tells the project that something it saves has changed (edits that are not undo
    // steps, such as those made in a control's own dialogs, call it themselves).
    void NoteModified() const;

    // A new element of the same class filled by CopyFrom (the undo snapshots).
    XControl* Clone(bool withIdentity) const;
    IntRect Bounds() const; // normalised
    void SetBounds(const IntRect& r);
    void MoveBy(int dx, int dy);
    // Orders the points and gives the element the other's width and height (the size
    // part of CopyAppearance).
    void TakeSizeOf(const XControl& other);
    // The alignment codes 20 to 29 of the editor's alignment commands.
    void ApplyAlignCode(int code, int v);
    QString GetTypeKey() const;

    ControlMainDelegate* mainDelegate = nullptr;
    ControlProjectDataDelegate* projectData = nullptr;
    XPage* page = nullptr;
    QString name;
    qint32 x1 = 0;
    qint32 y1 = 0;
    qint32 x2 = 0;
    qint32 y2 = 0;
    qint32 lineWidth = 6;
    COLORREF color = 0;
    bool selected = false;
    // Locked in the editor: not hit by clicks in the design view. Editor state, kept
    // beside the project and never written to the data file.
    bool locked = false;
    qint32 moveOrigin[4] = {0, 0, 0, 0}; // x1, y1, x2, y2 as BeginMove found them
    int recordVersion = 0;
    int visible = 1;

protected:
    // The colour of the selection marks: each byte of color XOR 0xAA.
    COLORREF SelectionColor() const { return color ^ 0xAAAAAA; }
    // Applies one edited row without the undo record and returns whether the element
    // changed; a refused value has been put back into the row. The default goes through
    // the property rows; classes take their genuinely special rows first.
    virtual bool ApplyProperty(CMFCMyPropertyGridProperty& property);
    // Records an applied change on the page's undo list; takes ownership of the snapshot
    // (the state before the change). Without a page the snapshot is simply deleted.
    void RecordChange(XControl* snapshot);
};
