#include "CMarvolentaDoc.h"

#include "model/XPage.h"

CMarvolentaDoc::CMarvolentaDoc(XPage* page)
    : page(page)
    , title(page ? page->name : QString())
{
}
