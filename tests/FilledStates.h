#pragma once

// One channel table per family, every cell filled: what a radio or a file holds in the window tests.
#include "core/FamilyA.h"
#include "core/FamilyB.h"
#include "core/FamilyC.h"

namespace testsupport {

inline core::EditorState heronFilled()
{
    core::EditorState s = core::familyB::StartupState();
    s.model = "QZ236";
    s.variant = 1;
    s.lists = {1, 0, 4, 2, 1, 1};
    s.band.sPower = 8;
    for (int ch = 0; ch < 16; ++ch)
        s.channels[ch] = {QStringLiteral("4%1.12500").arg(ch + 10), "462.56250", "67.0", "D754I", "Yes", "N", "Middle"};
    return s;
}

inline core::EditorState pelicanFilled()
{
    core::EditorState s = core::familyA::StartupState();
    s.model = "QZ510";
    s.variant = 1;
    s.group = core::familyA::GroupOf(s.model);
    s.lists = {1, 0, 4, 2, 1, 1, 1, 0, 13};
    s.band.sPower = 8;
    s.channels.clear();
    for (int ch = 0; ch < 16; ++ch)
        s.channels << QStringList{QStringLiteral("4%1.12500").arg(ch + 10), "462.56250", "67.0", "D754I", "Yes", "N",
                                  ch % 2 ? "Yes" : "No", ch % 3 ? "No" : "Yes",
                                  ch % 9 ? QString::number(ch % 9) : "OFF", "Middle"};
    return s;
}

inline core::EditorState ospreyFilled()
{
    core::EditorState s = core::familyC::StartupState();
    s.variant = 4;
    s.lists = {1, 0, 4, 2, 1, 1};
    s.band.sPower = 8;
    const QStringList &tones = core::familyC::ToneItems();
    for (int ch = 0; ch < 16; ++ch)
        s.channels[ch] = {QStringLiteral("4%1.12500").arg(ch + 10), "462.56250", tones.at(1 + ch * 16),
                          tones.at(260 - ch * 7), ch % 2 ? "Yes" : "No", "N", "Middle"};
    return s;
}

} // namespace testsupport
