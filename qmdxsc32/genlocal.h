// The Create Private Key dialog: a description for a new private key, and 4096 bits of
// random data gathered from the user's mouse movements over the dialog.
#pragma once

#include <cstddef>

#include <afxwin.h>

class CGenLocal : public CDialog {
public:
    static constexpr int kPoolChars = 1024;
    static constexpr int kDescriptionChars = 64;

    explicit CGenLocal(CWnd* parent = nullptr);
    ~CGenLocal() override;

    // Dialog data; after IDOK the pool is full: uppercase hexadecimal digits, no
    // terminator.
    CStatic m_counterText;
    CString m_description;
    CButton m_okButton;
    char m_pool[kPoolChars];
    std::size_t m_poolPos;
    int m_bitsNeeded;
    CPoint m_lastPoint;
    DWORD m_lastCount[2]; // low, high

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnMouseMove(UINT flags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void CollectSample(DWORD positionSample);
    void AddSample(DWORD value);
};
