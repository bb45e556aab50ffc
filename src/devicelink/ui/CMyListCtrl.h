#pragma once

#include "devicelink/DeviceInfoItem.h"

#include <QTableWidget>

// A list with grid lines, single full-row selection and movable columns. The selected
// row is always drawn white on blue (0x3399FF) and every other row black on white,
// whether or not the list has the focus. The device list of the device-information
// dialog has five columns, one row per device with a check box in the first; other
// lists give their own number of columns and plain texts.
class CMyListCtrl : public QTableWidget {
    Q_OBJECT
public:
    static constexpr int kDeviceColumns = 5;

    explicit CMyListCtrl(QWidget* parent = nullptr);
    CMyListCtrl(int columns, QWidget* parent);

    void SetColumnCaptions(const QStringList& captions);
    // Gives each column (client width / columns) - 1 pixels.
    void SpreadColumns();

    int AppendRow(const DeviceInfoItem& item);
    void WriteRow(int row, const DeviceInfoItem& item);
    // Plain rows: one text per column, no check box.
    int AppendTexts(const QStringList& texts);
    void WriteTexts(int row, const QStringList& texts);
    QString Text(int row, int column) const;
    bool IsChecked(int row) const;
    void SetChecked(int row, bool checked);
    int SelectedRow() const;
    void SelectRow(int row);
    int CheckedCount() const;
};
