#pragma once

#include "print/engine/PaintTarget.h"

#include <QList>

// Records what is drawn, where and in which font. Text widths are a fixed
// width per character, so positions are easy to check.
class RecordingTarget : public print::PaintTarget {
public:
    struct Drawn {
        enum Kind { Text, Line, Box, NewPage } kind;
        QString text;
        QPointF at;
        QPointF to;
        print::PrintFont font;
        QColor color;
        int fillStyle = 1;
    };

    QList<Drawn> drawn;
    double charWidth = 100;
    double lineHeight = 200;
    bool morePages = true;

    void setScale(const QRectF &scale) override { m_scale = scale; }
    QRectF scale() const override { return m_scale; }
    void drawText(const QPointF &topLeft, const QString &text, const print::PrintFont &font) override
    {
        drawn.append({Drawn::Text, text, topLeft, {}, font, {}, 1});
    }
    double textWidth(const QString &text, const print::PrintFont &) const override { return charWidth * text.size(); }
    double textHeight(const print::PrintFont &) const override { return lineHeight; }
    void drawLine(const QPointF &from, const QPointF &to, const QColor &color) override
    {
        drawn.append({Drawn::Line, {}, from, to, {}, color, 1});
    }
    void drawBox(const QRectF &box, const QColor &outline, const print::BoxFill &fill) override
    {
        drawn.append({Drawn::Box, {}, box.topLeft(), box.bottomRight(), {}, fill.style == 1 ? outline : fill.color, fill.style});
    }
    bool newPage() override
    {
        drawn.append({Drawn::NewPage, {}, {}, {}, {}, {}, 1});
        return morePages;
    }

    QList<Drawn> texts() const
    {
        QList<Drawn> t;
        for (const Drawn &d : drawn)
            if (d.kind == Drawn::Text)
                t << d;
        return t;
    }
    const Drawn *findText(const QString &text) const
    {
        for (const Drawn &d : drawn)
            if (d.kind == Drawn::Text && d.text == text)
                return &d;
        return nullptr;
    }
    int pages() const
    {
        int n = 1;
        for (const Drawn &d : drawn)
            n += d.kind == Drawn::NewPage;
        return n;
    }

private:
    QRectF m_scale;
};
