#pragma once

// The transmission dialog's owner (the main frame). The dialog reports nothing to it;
// the interface marks who opened the dialog.
class TransmissionProjectDlgDelegate {
public:
    virtual ~TransmissionProjectDlgDelegate() = default;
};
