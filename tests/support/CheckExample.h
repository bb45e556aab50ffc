#pragma once

#include "model/HeadlessMainDelegate.h"
#include "model/ProjectData.h"

#include <QString>

#include <vector>
#include <memory>

// The faults the project check finds, one each, for the example project below.
enum class CheckFault {
    MissingPage,
    MissingSubPage,
    MissingGroup,
    MissingImage,
    UnusedImage,
    Outside,
    ZeroSize,
    LargerSubPage,
    ContainerLoop,
    TextImageClash,
    DuplicateSendCode,
    OutOfRange,
    BadStreamAddress,
    BadIpAddress,
};

inline constexpr CheckFault kAllCheckFaults[] = {
    CheckFault::MissingPage,   CheckFault::MissingSubPage, CheckFault::MissingGroup,      CheckFault::MissingImage,
    CheckFault::UnusedImage,   CheckFault::Outside,        CheckFault::ZeroSize,          CheckFault::LargerSubPage,
    CheckFault::ContainerLoop, CheckFault::TextImageClash, CheckFault::DuplicateSendCode, CheckFault::OutOfRange,
    CheckFault::BadStreamAddress, CheckFault::BadIpAddress,
};

// The kind the check reports for a fault.
const char* CheckKindOf(CheckFault fault);

// A small project in a folder, built in code, that checks clean: a page with a title, two
// buttons of one interlock group sharing a send code, a picture button jumping to a second
// page, a page container showing a sub-page. Each fault given is then put in, exactly
// once; the address faults add a stand-in device control (which no file can hold, so such
// a project is checked in memory only).
struct CheckExample {
    explicit CheckExample(const QString& folder, const std::vector<CheckFault>& faults = {});
    // Saves the data file (and the text images) into the folder.
    bool Save();

    HeadlessMainDelegate delegate;
    std::unique_ptr<ProjectData> project;
};
