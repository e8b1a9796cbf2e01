#pragma once

#include "bundlemanifest.h"

#include <QString>
#include <QVector>

// Gathers what a published scheme needs into a bundle: the scheme, re-written so that it names
// every file relative to itself (media/<file name>), every file it names, and for each office
// document the PDF the publisher's office cache holds, so the device never converts.
//
// On the device the bundle's folder holds the scheme at its top and the files under media/;
// the reader takes a relative name as beside the scheme, so the scheme plays from wherever the
// bundle lies. The manifest lists the re-written scheme's hash: the operator's signature covers
// the exact bytes the device plays.
class BundleBuilder
{
public:
    struct Entry
    {
        BundleFile file;
        QString sourcePath; // where the bytes are on this machine; empty for the scheme
    };

    // False with *error naming the first file that is missing or unreadable: a bundle is whole
    // or it is not made. `officeCache` is the folder of the office PDFs (the player's).
    bool build(const QString &schemePath, const QString &officeCache, QString *error);

    const QVector<Entry> &entries() const { return m_entries; }
    QByteArray schemeBytes() const { return m_schemeBytes; }
    // Scheme and files filled in; sequence, times and publisher are the caller's.
    BundleManifest manifest() const;

    // The PDF of an office document within a bundle: beside its source's bundle name.
    static QString officePdfName(const QString &sourceName);

private:
    QVector<Entry> m_entries;
    QByteArray m_schemeBytes;
    QString m_schemeName;
};
