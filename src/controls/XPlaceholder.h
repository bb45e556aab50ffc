#pragma once

#include "model/ElementTypes.h"
#include "model/PropertyRows.h"
#include "model/XControl.h"

// The look of a service control in the editor: its bounds filled dark, the label in
// white centred at a size in points before zoom.
void DrawServicePlaceholder(QPainter& dc, const XControl& control, const QString& label, int points);

// A control whose work is done by the panel runtime: the editor shows it as a dark
// rectangle labelled with its type key, and keeps its settings. Also the property rows
// those controls share (addresses, ports, credentials).
class XPlaceholder : public XControl {
public:
    void Draw(QPainter& dc) override;
    void Refresh() override;
    void CopyAppearance(const XControl& other) override;

    // Whether an address setting takes the typed text: empty, or a dotted IPv4 address
    // (the text is trimmed first). Shows message 378 when it refuses.
    static bool AcceptsAddress(const XControl& control, const QString& typed);
    static QString Trimmed(const QString& text);

protected:

    template <auto M> static PropertyRow AddressRow(quint32 id, const char* caption)
    {
        return Prop::Text<M>(id, caption).Accepts(&AcceptsAddress).Normalise(&Trimmed);
    }
    template <auto M> static PropertyRow PortRow(quint32 id, const char* caption)
    {
        return Prop::Int<M>(id, caption, 0, 65535, "377");
    }
    // User name and password are kept exactly as typed.
    template <auto U, auto P> static std::vector<PropertyRow> CredentialRows()
    {
        return {Prop::Text<U>(PropertyId::kUserName, "163"), Prop::Text<P>(PropertyId::kPassword, "164")};
    }
};

// A host chooser: nothing but its name and position.
class XHost : public XPlaceholder {
public:
    int GetType() const override { return ElementType::kHost; }
    const FieldTable* Fields() const override;
    const PropertyTable* Properties() const override;
};
