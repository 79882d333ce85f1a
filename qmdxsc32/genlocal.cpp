#include "genlocal.h"

#include <cstring>
#include <ctime>

#include "resource.h"

namespace {

constexpr int kBitsWanted = 4096;
constexpr int kBitsPerSample = 8;

char hex_digit(unsigned nibble) {
    return static_cast<char>(nibble < 10 ? '0' + nibble : 'A' + (nibble - 10));
}

// The high-resolution counter; without one, seconds in the low half and the multimedia
// timer's milliseconds in the high half.
void read_timer(DWORD (&count)[2]) {
    LARGE_INTEGER reading{};
    if (QueryPerformanceCounter(&reading)) {
        count[0] = reading.u.LowPart;
        count[1] = static_cast<DWORD>(reading.u.HighPart);
    } else {
        count[0] = static_cast<DWORD>(std::time(nullptr));
        count[1] = timeGetTime();
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CGenLocal, CDialog)
ON_WM_MOUSEMOVE()
END_MESSAGE_MAP()

CGenLocal::CGenLocal(CWnd* parent)
    : CDialog(IDD_GEN_LOCAL, parent), m_description(""), m_pool{}, m_poolPos(0),
      m_bitsNeeded(kBitsWanted), m_lastCount{0, 0} {}

// The pool is the seed of a private key: it does not linger after the dialog.
CGenLocal::~CGenLocal() {
    explicit_bzero(m_pool, sizeof m_pool);
}

void CGenLocal::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_BITS_NEEDED, m_counterText);
    DDX_Text(pDX, IDC_KEY_DESCRIPTION, m_description);
    DDV_MaxChars(pDX, m_description, kDescriptionChars);
    DDX_Control(pDX, IDOK, m_okButton);
}

BOOL CGenLocal::OnInitDialog() {
    if (!CDialog::OnInitDialog()) {
        return FALSE;
    }
    m_okButton.EnableWindow(FALSE);
    // The first move's samples are differences against where the pointer and the timer
    // stood when the dialog appeared.
    ::GetCursorPos(&m_lastPoint);
    ::ScreenToClient(m_hWnd, &m_lastPoint);
    read_timer(m_lastCount);
    return TRUE;
}

void CGenLocal::OnMouseMove(UINT flags, CPoint point) {
    // Differences in 32-bit unsigned arithmetic, which wraps instead of overflowing.
    const DWORD positionSample = (static_cast<DWORD>(point.x) - static_cast<DWORD>(m_lastPoint.x)) +
                                 (static_cast<DWORD>(point.y) - static_cast<DWORD>(m_lastPoint.y));
    m_lastPoint = point;
    CollectSample(positionSample);
    CDialog::OnMouseMove(flags, point);
}

void CGenLocal::CollectSample(DWORD positionSample) {
    if (m_bitsNeeded <= 0) {
        m_bitsNeeded = 0;
        m_okButton.EnableWindow(TRUE);
    } else {
        AddSample(positionSample);
        if (m_bitsNeeded != 0) {
            DWORD count[2];
            read_timer(count);
            AddSample((count[1] - m_lastCount[1]) + (count[0] - m_lastCount[0]));
            m_lastCount[0] = count[0];
            m_lastCount[1] = count[1];
        }
    }
    char text[16];
    wsprintfA(text, "%d", m_bitsNeeded);
    m_counterText.SetWindowText(text);
}

// Two characters per sample, the low nibble first; 8 bits counted.
void CGenLocal::AddSample(DWORD value) {
    const unsigned byte = value & 0xFF;
    m_pool[m_poolPos] = hex_digit(byte & 0xF);
    m_pool[m_poolPos + 1] = hex_digit(byte >> 4);
    m_poolPos += 2;
    m_bitsNeeded -= kBitsPerSample;
}
