#pragma once

// What the send-code dialog needs of the main frame, in slot order.
class SetSendCodeDelegate {
public:
    virtual ~SetSendCodeDelegate() = default;
    virtual int GetStartCode() const = 0;
    virtual void SetStartCode(int code) = 0;
    virtual int GetNumberingState() const = 0;   // 101 off, 102 on (the tool mode)
    virtual void SetNumberingState(int state) = 0;
};
