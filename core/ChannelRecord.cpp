#include "ChannelRecord.h"
#include "Context.h"
#include "ImageMap.h"

namespace core {

using namespace map::record;

const QStringList &ChannelColumnTitles()
{
    static const QStringList titles{"RX Frequency", "TX Frequency", "QT/DQT Dec", "QT/DQT Enc", "Busy ", "W/N", "TX Power"};
    return titles;
}

QString ColumnName(int column) { return ChannelColumnTitles().at(column - 1).trimmed(); }

Status ChannelRecord::write(MemoryImage &image, int ch, const QStringList &row) const
{
    const auto cell = [&](int column) { return row.value(column - 1); };
    const auto at = [ch](map::Field f) { return map::InChannel(ch, f); };
    int column = 1;
    for (const map::Field f : {kRxFrequency, kTxFrequency}) {
        if (IsUsedCell(cell(column))) {
            const auto code = EncodeFrequency(cell(column));
            if (!code)
                return within(fail<Done>(code.error()), ColumnName(column));
            map::Set(image, at(f), *code);
        }
        ++column;
    }
    for (const map::Field f : {kDecodeTone, kEncodeTone}) {
        if (IsUsedCell(cell(column))) {
            const auto code = tone.encode(cell(column));
            if (!code)
                return within(fail<Done>(code.error()), ColumnName(column));
            map::Set(image, at(f), *code);
        }
        ++column;
    }
    if (busyByte && IsUsedCell(cell(5)))
        map::Set(image, at(kBusy), BusyByte(cell(5)));
    if (IsUsedCell(cell(6)))
        map::Set(image, at(kWideNarrow), WideNarrowByte(cell(6)));
    if (IsUsedCell(cell(7)))
        map::Set(image, at(kPower), PowerByte(cell(7), powerCase));
    return success();
}

Result<std::array<Block, 2>> ChannelRecord::blocks(const QStringList &row) const
{
    MemoryImage image;
    if (const Status written = write(image, 0, row); !written)
        return fail<std::array<Block, 2>>(written.error());
    return std::array<Block, 2>{image.block(map::kFirstChannelBlock), image.block(map::kFirstChannelBlock + 1)};
}

Result<QStringList> ChannelRecord::read(const MemoryImage &image, int ch) const
{
    const auto tokens = [&](map::Field f) { return map::Tokens(image, map::InChannel(ch, f)); };
    const auto frequency = [&](map::Field f) {
        const QStringList d = tokens(f);
        return ReadFrequency(d.at(0), d.at(1), d.at(2), d.at(3));
    };
    const auto toneOf = [&](map::Field f) {
        const QStringList d = tokens(f);
        return tone.read(d.at(0), d.at(1));
    };
    const Result<QString> cells[] = {
        frequency(kRxFrequency),
        frequency(kTxFrequency),
        toneOf(kDecodeTone),
        toneOf(kEncodeTone),
        busyByte ? ReadBusy(tokens(kBusy).at(0)) : QString(),
        ReadWideNarrow(tokens(kWideNarrow).at(0)),
        ReadPower(tokens(kPower).at(0)),
    };
    const map::Field fields[] = {kRxFrequency, kTxFrequency, kDecodeTone, kEncodeTone, kBusy, kWideNarrow, kPower};
    QStringList row;
    for (int column = 1; column <= 7; ++column) {
        const Result<QString> &cell = cells[column - 1];
        if (!cell) {
            const QString line = QStringLiteral("Line %1").arg(map::InChannel(ch, fields[column - 1]).line());
            return fail<QStringList>(within(within(cell, ColumnName(column), QStringLiteral(" ")), line).error());
        }
        row << *cell;
    }
    return row;
}

Result<QList<QStringList>> ChannelRecord::readAll(const MemoryImage &image) const
{
    QList<QStringList> rows;
    for (int ch = 0; ch < map::kChannels; ++ch) {
        const auto row = read(image, ch);
        if (!row)
            return fail<QList<QStringList>>(row.error());
        rows << *row;
    }
    return rows;
}

} // namespace core
