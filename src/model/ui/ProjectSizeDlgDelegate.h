#pragma once

// The main frame as the project size dialog knows it; the dialog only keeps it.
class ProjectSizeDlgDelegate {
public:
    virtual ~ProjectSizeDlgDelegate() = default;
};
