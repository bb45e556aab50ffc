#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// A temporary folder per test, removed afterwards.
class TestFolder {
public:
    TestFolder() { dir.setAutoRemove(true); }
    QString Path(const QString& relative = {}) const
    {
        return relative.isEmpty() ? dir.path() : dir.path() + QLatin1Char('/') + relative;
    }
    bool Write(const QString& relative, const QByteArray& bytes) const;
    QByteArray Read(const QString& relative) const;

private:
    QTemporaryDir dir;
};

// A small valid image for tests that take images into a project.
bool WriteTestPng(const QString& path, int width, int height, unsigned rgb = 0xFF3366);
