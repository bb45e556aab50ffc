#include "NewProjectFolder.h"

#include "ProjectData.h"

#include <QDir>
#include <QFileInfo>

namespace NewProjectFolder {

QString Resolve(const QString& typed)
{
    const QString text = typed.trimmed();
    if (text.isEmpty())
        return {};
    const QString folder = QDir::cleanPath(QFileInfo(text).absoluteFilePath());
    const QString name = ProjectData::NameFromFolder(folder);
    if (name.isEmpty() || name.startsWith(u'.'))
        return {};
    return folder;
}

QString ExistingDataFile(const QString& folder)
{
    const QString file = ProjectData::DataFilePathIn(folder);
    return QFileInfo::exists(file) ? file : QString();
}

} // namespace NewProjectFolder
