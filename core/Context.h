#pragma once

#include "Result.h"

namespace core {

// A failure with the context of the layer above in front ("Channel 3" before
// "QT/DQT Dec: ..."), so each layer names only what it knows.
template <class T>
Result<T> within(const Result<T> &r, const QString &context, const QString &joiner = QStringLiteral(": "))
{
    if (r)
        return r;
    return fail<T>(context + joiner + r.error());
}

} // namespace core
