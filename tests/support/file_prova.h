#pragma once

// Small file chores of the tests: whole contents in and out, and what lies under a folder.

#include <QByteArray>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>

// The whole file, or nothing when it cannot be read.
inline QByteArray contenuto(const QString& percorso) {
    QFile f(percorso);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Writes the file whole, making its folder first; false when anything failed.
inline bool scrivi_file(const QString& percorso, const QByteArray& b) {
    QDir().mkpath(QFileInfo(percorso).path());
    QFile f(percorso);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}

// The files under a folder, relative and sorted.
inline QStringList file_sotto(const QString& cartella) {
    QStringList l;
    QDirIterator it(cartella, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) l << QDir(cartella).relativeFilePath(it.next());
    l.sort();
    return l;
}

// Everything under a folder, files and folders, relative and sorted.
inline QStringList tutto_sotto(const QString& cartella) {
    QStringList l;
    QDirIterator it(cartella, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) l << QDir(cartella).relativeFilePath(it.next());
    l.sort();
    return l;
}
