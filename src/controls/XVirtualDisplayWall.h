#pragma once

#include "DisplayWallScreen.h"
#include "model/ElementTypes.h"
#include "model/XControl.h"

#include <vector>

class JsonFields;

// A display wall: a grid of rows × columns screens, each with the address of its device,
// its resolution and an address group, and a few wall-wide settings the panel runtime
// uses. The screens are kept row by row (index = row × columns + column).
class XVirtualDisplayWall : public XControl {
public:
    static constexpr int kMinCount = 1; // rows and columns
    static constexpr int kMaxCount = 20;
    static constexpr int kMinSide = 80;
    static constexpr int kBand = 60; // reserved in the height by wallFlag1, wallFlag3 or wallText1

    XVirtualDisplayWall();

    int GetType() const override { return ElementType::kVirtualDisplayWall; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void NormalizeBounds() override;
    void OnDoubleClick(QPoint point) override;
    void CopyAppearance(const XControl& other) override;
    bool SetScreenAddressAt(QPoint point, const QString& address) override;
    bool HasScreenAt(QPoint point) const override { return ScreenIndexAt(point) >= 0; }

    // rows × columns fresh screens at 1920 × 1080, addressed 192.168.1.100 on.
    void BuildScreens();
    // The index of the screen under a page point, or -1.
    int ScreenIndexAt(QPoint point) const;
    // Takes the edited values of one screen: a new horizontal resolution goes to every
    // screen of its column, a new vertical one to every screen of its row. True when the
    // wall changed.
    bool ApplyScreenEdit(int index, const DisplayWallScreen& edited);
    // Whether the height holds the band.
    bool HasBand() const;

    int rows = 1;
    int columns = 2;
    int wallFlag1 = 0;
    int wallFlag2 = 0;
    int wallFlag3 = 0;
    QString wallText1;
    QString wallText2;
    int wallVersion = 2;
    int deviceGeneration = 2;
    std::vector<DisplayWallScreen> screens;

protected:
    bool ApplyProperty(CMFCMyPropertyGridProperty& property) override;

private:
    static PropertyTable MakeProperties();
    bool SaveScreens(MyFile& file) const;
    void LoadScreens(MyFile& file, int version);
    void TakeScreens(JsonFields& fields);
};

// The synchronised display wall: the same wall under its own type.
class XSVirtualDisplayWall : public XVirtualDisplayWall {
public:
    int GetType() const override { return ElementType::kSVirtualDisplayWall; }
};
