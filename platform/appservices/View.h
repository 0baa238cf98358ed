// View.h: the view of a document, and printing.
//
//   CView        a child window of a frame that shows one document; drawing
//                and printing go through the same OnDraw
//   CPrintInfo   one print job: the print dialog's record with the printer's
//                device context, and whether it prints directly or previews
#pragma once

#include "platform/appservices/Object.h"
#include "platform/window/Wnd.h"

#include <commdlg.h>

class CDocument;
class CFrameWnd;

struct CPrintInfo {
    CPrintInfo();
    // Deletes the printer's device context.
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    PRINTDLGA m_pd;          // hDC is the printer's device context once prepared
    BOOL m_bDirect = FALSE;  // print on the chosen or default printer without the dialog
    BOOL m_bPreview = FALSE; // lay out the pages without printing them
    UINT m_nCurPage = 1;
};

class CView : public CWnd, public CObject {
public:
    static const CRuntimeClass kRuntimeClass;
    const CRuntimeClass* GetRuntimeClass() const override;

    CView() = default;
    ~CView() override;

    // Creates the view as child id of the frame; the object then deletes
    // itself after its window's last message.
    BOOL Create(const RECT& rect, CFrameWnd* frame, UINT id);
    // Called before the window is made; the base fills in the view's window class.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& cs);

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const { return m_pFrame; }

    // Runs a command of the view's message map, else of its document.
    BOOL OnCmdMsg(UINT id);

    // --- overridables ---
    // Draws the document on the screen or on a printed page.
    virtual void OnDraw(HDC dc) = 0;
    // The first update, once the view is in its frame; the base repaints.
    virtual void OnInitialUpdate();
    // Prepares a print job; the base prepares it with DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* info);
    virtual void OnBeginPrinting(HDC dc, CPrintInfo* info);
    virtual void OnEndPrinting(HDC dc, CPrintInfo* info);

    // --- commands (rows for the message maps of views) ---
    // Print: the print dialog, then the pages.
    LRESULT OnFilePrint();
    // Print direct: the chosen or default printer, no dialog.
    LRESULT OnFilePrintDirect();
    // Print preview: the pages are laid out for the default printer and
    // drawn into a metafile; nothing is printed.
    LRESULT OnFilePrintPreview();

protected:
    // Gets the print job's printer: the print dialog, or without it (direct,
    // preview) the printer of a shell print command, of Print Setup, or the
    // default one. FALSE when the user cancels or there is no printer (that
    // case with one message box).
    BOOL DoPreparePrinting(CPrintInfo* info);

    LRESULT OnPaint(WPARAM, LPARAM);
    const MessageMap* GetMessageMap() const override;
    void PostNcDestroy() override;

private:
    friend class CDocument;
    friend class CFrameWnd;
    void Print(BOOL direct, BOOL preview);

    CDocument* m_pDocument = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    bool m_bAutoDelete = false;
};
