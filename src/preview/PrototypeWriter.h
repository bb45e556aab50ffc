#pragma once

#include <QString>

class ProjectData;

// Writes a clickable prototype of a project into a folder: index.html, which holds the
// pages, their elements and the touch rules as one small script, and the pictures it
// shows, drawn by the controls' own drawing code (each page without its buttons pressed,
// and each button pressed where that looks different). Nothing is fetched from the
// network; the folder can be opened from the file system. Every control is an element
// carrying data-element="NAME", every page an element carrying data-page="NAME", and only
// the page shown is visible. The script follows the rules of PreviewModel.
class PrototypeWriter {
public:
    explicit PrototypeWriter(const ProjectData& project) : project(project) {}

    // Starts on the named page when it exists, else on the first page.
    void SetStartPage(const QString& name) { startPage = name; }
    // Creates the folder when needed; index.html and the folder "pictures" are replaced.
    // On failure error says why.
    bool Write(const QString& folder, QString& error) const;

private:
    const ProjectData& project;
    QString startPage;
};
