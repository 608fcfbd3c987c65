#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "FontScanner.h"

namespace veltrane {

// The fonts installed on this machine, known in this one place: the screen's
// families (Qt's, each once, by a name a font can be set to), the families the
// samples are drawn in, and fontconfig's scalable families,
// which the print pipeline embeds in every job. Each is read when first wanted
// and read anew once a scan of the fonts, off the user-interface thread, has
// completed.
class InstalledFonts {
public:
    using Families = std::shared_ptr<const std::vector<std::string>>;

    InstalledFonts();

    // Starts reading the fonts, beside Qt's start, and watching for changes.
    void startScans();
    // Makes the first scan's fonts fontconfig's, before Qt asks for any font,
    // which would otherwise have fontconfig read them on this thread. Past its
    // bound the window opens without fonts; they come with a later redraw.
    void useFirstScan();

    const std::vector<std::string>& screenFamilies();
    // The names in Qt's list of families that the screen lists.
    static std::vector<std::string> screenFamilyNames(const QStringList& qtFamilies);

    // Whether a family of this name is installed, letter case ignored.
    bool contains(const QString& family);
    // The family to set for `name` so that it is drawn as Qt would draw it.
    // Qt compares each fallback of a family it lacks with every installed
    // family, a quarter of a second a name at thousands of fonts; so such a
    // name becomes its first installed fallback that writes Latin, found once.
    QString drawnFamily(const QString& name);

    // Gives the application's default font the installed family it is drawn
    // in, for the same reason: Qt's own "Sans Serif" would cost seconds at
    // tens of thousands of families, for each widget's first text. Once the
    // fonts are refreshed it is that family again, should it have gone.
    void useInstalledDefaultFamily();

    // The scalable families, as the latest scan found them: read on the
    // user-interface thread, where the answer lives as long as it is used.
    std::function<Families()> scalableFamilies() const;

    // Makes a scan completed since the lists were read the fonts of fontconfig
    // and Qt, and forgets the lists; whether there was one. Never waits.
    bool refresh();
    // Called on the scanner's threads when a scan has completed for refresh().
    void onScan(std::function<void()> scanned) { scanner_.onHandOver(std::move(scanned)); }

private:
    void makeCurrent(fontconfig::Configuration configuration);
    const QStringList& qtFamilies();
    QString latinFallback(const QString& name);
    static void dropQtFonts(const std::string& someFont);
    static void applyDefaultFamily(const std::string& drawnIn);

    std::optional<QStringList> qtFamilies_;
    std::optional<std::vector<std::string>> screenFamilies_;
    QHash<QString, QString> drawn_;  // drawnFamily's answers, name by name
    Families scalable_;
    std::optional<QString> defaultFamily_;  // what the application asked for
    FontScanner scanner_;
    // The current configuration, kept so that the scanner frees it once it is replaced.
    fontconfig::Configuration current_;
};

}  // namespace veltrane
