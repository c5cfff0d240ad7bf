#pragma once

#include <QStringList>

namespace core {

// The 261 tone texts the grid offers: "OFF", 50 CTCSS tones, 105 normal and
// 105 inverted DCS codes.
const QStringList &QtDqtList();

// The same 261 entries in the order the codecs search: whole tones without
// ".0", inverted codes in inversion-pair order. Family C's radio stores the
// position itself, so this order is part of the radio format.
const QStringList &QtDqtIndexList();

// Positions of the sections of both lists.
constexpr int kFirstCtcss = 1;
constexpr int kFirstNormalDcs = 51;
constexpr int kFirstInvertedDcs = 156;
constexpr int kToneCount = 261;

// The first entry, in list order, that begins with text regardless of case; -1 if none.
int FindStringPrefix(const QStringList &list, const QString &text);

} // namespace core
