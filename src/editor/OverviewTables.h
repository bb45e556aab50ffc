#pragma once

#include "OverviewTableModel.h"
#include "ProjectOverview.h"

#include <QStringList>

#include <vector>

class ProjectData;

// The overview's tables as lines of text in the current language, with their column
// headers: send codes, jumps, pages not reached, interlock groups and images.
namespace OverviewTables {

enum SendCodeColumn { kCodeColumn, kCodeElement, kCodePage, kCodeType, kCodeKind, kCodeGroup, kCodeShared, kCodeCommand };

QString TypeName(int type);

QStringList SendCodeHeaders();
std::vector<OverviewRow> SendCodeRows(const ProjectOverview& overview);
QStringList JumpHeaders();
std::vector<OverviewRow> JumpRows(const ProjectOverview& overview);
QStringList UnreachedHeaders();
std::vector<OverviewRow> UnreachedRows(const ProjectOverview& overview);
QStringList GroupHeaders();
std::vector<OverviewRow> GroupRows(const ProjectOverview& overview);
QStringList ImageHeaders();
// Rows carry the image's path in the project for their thumbnail.
std::vector<OverviewRow> ImageRows(const ProjectOverview& overview, const ProjectData& project);

}
