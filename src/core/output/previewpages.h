#pragma once

// The page a print preview shows and where its navigation may go. Pages run 1..count; a count below 1
// is held at 1, so an empty report still previews its heading page.
class PreviewPages final
{
public:
    explicit PreviewPages(int count = 1);

    int count() const { return m_count; }
    int current() const { return m_current; }

    void first() { m_current = 1; }
    void previous() { goTo(m_current - 1); }
    void next() { goTo(m_current + 1); }
    void last() { m_current = m_count; }
    // Any number: lowered to the last page, raised to the first.
    void goTo(int page);

    bool canGoBack() const { return m_current > 1; }
    bool canGoForward() const { return m_current < m_count; }

private:
    int m_count;
    int m_current = 1;
};
