#pragma once

#include <QString>

// A sample of everyday Traditional Chinese, for the benchmarks to look up: common characters,
// polyphones among them, with punctuation and a few Latin letters as running text has them.
namespace qxbench {

inline QString commonText() {
    return QStringLiteral(
        u"的一是不了人我在有他這個們中來上大為和國地到以說時要就出會可也你對生能而子那得於著下自"
        u"之年過發後作裡用道行所然家種事成方多經麼去法學如都同現當沒動面起看定天分還進好小部其些主"
        u"樣理心她本前開但因只從想實日軍者意無力它與長把機十民第公此已工使情明性知全三又關點正業外"
        u"將兩高間由問很最重並物手應戰向頭文體政美相見被利什二等產或新己制身果加西斯月話合回特代內"
        u"信表化老給世位次度門任常先海通教兒原東聲提立及比員解水名真論處走義各入幾口認條平系氣題活"
        u"，。！？「」、ABC xyz 123");
}

} // namespace qxbench
