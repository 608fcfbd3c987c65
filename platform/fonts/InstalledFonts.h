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

#include "FontScanner.h"

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
// All three are read anew once a scan of the installed fonts, which starts
// off the user-interface thread as soon as they change, has completed.
class InstalledFonts {
public:
    using Families = std::shared_ptr<const std::vector<std::string>>;

    InstalledFonts();

    // Starts reading the fonts, on a thread of their own, beside Qt's start,
    // and watching for their changes; without it the fonts stay as Qt reads them.
    void startScans();
    // Makes fontconfig's the fonts the first scan read. Called before Qt asks
    // for any font: Qt would otherwise have fontconfig read them on the
    // user-interface thread, however long that takes. Past its bound the
    // window opens without fonts, and they come with the first redraw after
    // the scan has completed.
    void useFirstScan();

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

    // Gives the application's default font the installed family it is drawn
    // in. Qt takes a family it has no font of, its own "Sans Serif" among
    // them, for one to look up among every family fontconfig falls back to,
    // each looked up among every installed family: seconds, at tens of
    // thousands of families, for each widget's first text.
    static void useInstalledDefaultFamily();

    // Reads the scalable families, on any thread; it keeps what it reads alive.
    std::function<Families()> scalableFamilies() const;

    // When a scan has completed since the lists were read, makes its fonts
    // fontconfig's and Qt's and forgets the lists, so that each is read anew;
    // whether one had. Never waits for a scan.
    bool refresh();

private:
    struct Scalable;

    const QStringList& qtFamilies();
    const QSet<QString>& folded();
    QString latinFallback(const QString& name);
    static void dropQtFonts(const std::string& someFont);

    std::optional<QStringList> qtFamilies_;
    std::optional<std::vector<std::string>> screenFamilies_;
    std::optional<QSet<QString>> folded_;
    QHash<QString, QString> fallbacks_;
    std::shared_ptr<Scalable> scalable_;
    FontScanner scanner_;
};

}  // namespace veltrane
