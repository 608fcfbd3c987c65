#include <cups/cups.h>

#include <QFile>
#include <QFontDatabase>

#include <cstdio>

#include "BenchServices.h"
#include "Benches.h"
#include "CHandle.h"
#include "CupsPrinting.h"
#include "InstalledFonts.h"
#include "PrivateCupsd.h"
#include "VeltraneUnderTest.h"

namespace veltrane::bench {

namespace {

// A CUPS-Get-Printers asking each queue's name and type, on a connection of its
// own, as plain libcups asks it.
void askForQueuesPlainly() {
    const CHandle<http_t, httpClose> http(httpConnect2(cupsServer(), ippPort(), nullptr, AF_UNSPEC,
                                                       cupsEncryption(), 1, 1000, nullptr));
    ipp_t* request = ippNewRequest(IPP_OP_CUPS_GET_PRINTERS);
    static const char* const kAttributes[] = {"printer-name", "printer-type"};
    ippAddStrings(request, IPP_TAG_OPERATION, IPP_TAG_KEYWORD, "requested-attributes", 2, nullptr,
                  kAttributes);
    const CHandle<ipp_t, ippDelete> response(cupsDoRequest(http.get(), request, "/"));
}

}  // namespace

Timings benchPrinting() {
    testing::PrivateCupsd server;
    server.addQueue("thousand", testing::testPpd(residentFonts("Thousand", 1000)));
    server.setDefault("thousand");
    server.useInThisProcess();

    const Timings lightRequest =
        Timings::of(200, [] { return Timings::time(askForQueuesPlainly); });
    lightRequest.report("one light request to the print server (plain libcups)", 1);
    InstalledFonts fonts;
    fonts.startScans();
    fonts.useFirstScan();
    Timings::of(1000, [&] {
        return Timings::time([&] { fonts.refresh(); });
    }).report("check of the installed fonts, nothing changed", 0.05);

    CupsPrinting printing(fonts.scalableFamilies());
    printing.start();
    takeServersAnswer(printing);
    Timings::of(100, [&] {
        return Timings::time([&] {
            printing.Count();
            printing.Default();
            printing.FontCount();
        });
    }).report("a load's questions, default queue of 1,000 resident fonts", 5);

    const std::size_t families = fonts.screenFamilies().size();
    Timings::of(20, [] {
        InstalledFonts fresh;
        return Timings::time([&] { fresh.screenFamilies(); });
    }).report("screen font list, made (" + std::to_string(families) + " families)", 5);

    // What a font change costs the user-interface thread in Qt itself: its
    // database dropped, as after a scan, and filled again from fontconfig.
    QFile sample(QStringLiteral("/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf"));
    sample.open(QIODevice::ReadOnly);
    const QByteArray font = sample.readAll();
    Timings::of(10,
                [&] {
                    return Timings::time([&] {
                        QFontDatabase::removeApplicationFont(
                            QFontDatabase::addApplicationFontFromData(font));
                        QFontDatabase::families();
                    });
                })
        .report(
            "Qt's font database refilled after a scan (" + std::to_string(families) + " families)",
            800);
    return lightRequest;
}

}  // namespace veltrane::bench
