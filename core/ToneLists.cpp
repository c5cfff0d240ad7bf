#include "ToneLists.h"

#include <iterator>

namespace core {

namespace {

const char *const kTones[] = {
    "67.0", "69.3", "71.9", "74.4", "77.0", "79.7", "82.5", "85.4", "88.5", "91.5",
    "94.8", "97.4", "100.0", "103.5", "107.2", "110.9", "114.8", "118.8", "123.0", "127.3",
    "131.8", "136.5", "141.3", "146.2", "151.4", "156.7", "159.8", "162.2", "165.5", "167.9",
    "171.3", "173.8", "177.3", "179.9", "183.5", "186.2", "189.9", "192.8", "196.6", "199.5",
    "203.5", "206.5", "210.7", "218.1", "225.7", "229.1", "233.6", "241.8", "250.3", "254.1",
};

const char *const kDcsCodes[] = {
    "023", "025", "026", "031", "032", "036", "043", "047", "051", "053", "054", "065", "071", "072", "073",
    "074", "114", "115", "116", "122", "125", "131", "132", "134", "143", "145", "152", "155", "156", "162",
    "165", "172", "174", "205", "212", "223", "225", "226", "243", "244", "245", "246", "251", "252", "255",
    "261", "263", "265", "266", "271", "274", "306", "311", "315", "325", "331", "332", "343", "346", "351",
    "356", "364", "365", "371", "411", "412", "413", "423", "431", "432", "445", "446", "452", "454", "455",
    "462", "464", "465", "466", "503", "506", "516", "523", "526", "532", "546", "565", "606", "612", "624",
    "627", "631", "632", "645", "654", "662", "664", "703", "712", "723", "731", "732", "734", "743", "754",
};

// Entry 156 + k is the inversion partner of entry 51 + k.
const char *const kInversionPairs[] = {
    "047", "244", "464", "627", "051", "172", "445", "023", "032", "452", "413", "271", "306", "245", "506",
    "174", "712", "152", "754", "225", "365", "364", "546", "223", "412", "274", "115", "731", "265", "503",
    "251", "036", "074", "263", "356", "134", "122", "411", "351", "025", "072", "523", "165", "462", "446",
    "732", "205", "156", "454", "065", "145", "071", "664", "423", "526", "465", "455", "532", "612", "243",
    "212", "131", "125", "734", "226", "143", "054", "315", "723", "516", "043", "255", "053", "266", "332",
    "252", "026", "331", "662", "162", "073", "432", "246", "325", "343", "132", "703", "631", "346", "632",
    "031", "606", "624", "645", "743", "466", "311", "565", "114", "431", "155", "261", "371", "654", "116",
};

static_assert(std::size(kTones) == 50);
static_assert(std::size(kDcsCodes) == 105);
static_assert(std::size(kInversionPairs) == 105);

QString dcs(const char *code, char polarity)
{
    return QLatin1Char('D') + QLatin1String(code) + QLatin1Char(polarity);
}

} // namespace

const QStringList &QtDqtList()
{
    static const QStringList list = [] {
        QStringList l{QStringLiteral("OFF")};
        for (const char *t : kTones)
            l << QLatin1String(t);
        for (const char *c : kDcsCodes)
            l << dcs(c, 'N');
        for (const char *c : kDcsCodes)
            l << dcs(c, 'I');
        return l;
    }();
    return list;
}

const QStringList &QtDqtIndexList()
{
    static const QStringList list = [] {
        QStringList l{QStringLiteral("OFF")};
        for (const char *t : kTones) {
            QString tone = QLatin1String(t);
            if (tone.endsWith(QLatin1String(".0")))
                tone.chop(2);
            l << tone;
        }
        for (const char *c : kDcsCodes)
            l << dcs(c, 'N');
        for (const char *c : kInversionPairs)
            l << dcs(c, 'I');
        return l;
    }();
    return list;
}

int FindStringPrefix(const QStringList &list, const QString &text)
{
    for (int i = 0; i < list.size(); ++i)
        if (list.at(i).startsWith(text, Qt::CaseInsensitive))
            return i;
    return -1;
}

} // namespace core
