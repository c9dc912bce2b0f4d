#include "ui/RowByRowScreen.h"

#include <QProgressBar>

#include "render/DrawingSurface.h"

namespace brimvale {

namespace {

// A screen shows at most one new frame in this time.
constexpr qint64 FrameIntervalMs = 15;

} // namespace

RowByRowScreen::RowByRowScreen(QProgressBar& bar, DrawingSurface* figure) : m_bar(bar), m_figure(figure)
{
    m_bar.setUpdatesEnabled(false);
    m_sinceShown.start();
}

RowByRowScreen::~RowByRowScreen()
{
    m_bar.setUpdatesEnabled(true);
}

void RowByRowScreen::rowDone(bool showNow)
{
    if (!showNow && m_sinceShown.elapsed() < FrameIntervalMs)
        return;
    m_bar.setUpdatesEnabled(true);
    m_bar.repaint();
    m_bar.setUpdatesEnabled(false);
    if (m_figure)
        m_figure->refresh();
    m_sinceShown.restart();
}

} // namespace brimvale
