#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FontFolderWatch.h"

namespace veltrane {

// The fonts installed on this machine, known in this one place. It keeps three
// lists, each read when first wanted, since reading one on a machine of
// thousands of fonts takes a while:
// - the screen's families: Qt's, each once, by a name a font can be set to
//   (the foundry suffix Qt adds for families that several foundries make is
//   dropped, and so are fontconfig's generic aliases);
// - the installed families case-folded, which the samples look names up in,
//   with the family each name that is none of them is drawn in;
// - fontconfig's scalable families, which the print pipeline embeds in every
//   job, read without Qt on whichever thread first asks.
// All three are read anew once the installed fonts change.
class InstalledFonts {
public:
    using Families = std::shared_ptr<const std::vector<std::string>>;

    InstalledFonts();

    const std::vector<std::string>& screenFamilies();
    // The names in Qt's list of families that the screen lists.
    static std::vector<std::string> screenFamilyNames(const QStringList& qtFamilies);

    // Whether a family of this name is installed, letter case ignored.
    bool contains(const QString& family);
    // The family to set for `name` so that it is drawn as Qt would draw it. Qt,
    // asked for a family that is not installed, compares every fallback
    // fontconfig suggests with every family, which on a machine of thousands of
    // fonts takes a quarter of a second a name; so such a name is replaced by
    // the first of fontconfig's fallbacks for it that is installed and writes
    // Latin, found once a name.
    QString drawnFamily(const QString& name);

    // Reads the scalable families, on any thread; it keeps what it reads alive.
    std::function<Families()> scalableFamilies() const;

    // When fonts were installed or removed since the lists were read, brings
    // fontconfig and Qt up to date and forgets the lists, so that each is read
    // anew; whether they were.
    bool refresh();

private:
    struct Scalable;

    const QSet<QString>& folded();
    QString latinFallback(const QString& name);
    static void rescanQtFonts();

    std::optional<std::vector<std::string>> screenFamilies_;
    std::optional<QSet<QString>> folded_;
    QHash<QString, QString> fallbacks_;
    std::shared_ptr<Scalable> scalable_;
    FontFolderWatch watch_;
};

}  // namespace veltrane
