#include "ControlClasses.h"

#include "XButton.h"
#include "XFontButton.h"
#include "XFontText.h"
#include "XPageContainer.h"
#include "XPhoto.h"
#include "XRectangle.h"
#include "model/TypeRegistry.h"

namespace {
template <class T>
XControl* Make()
{
    return new T;
}
}

void RegisterControlClasses()
{
    // Each control family adds its classes here as it is built.
    TypeRegistry::RegisterElementType(4, &Make<XRectangle>);
    TypeRegistry::RegisterElementType(5, &Make<XPhoto>);
    TypeRegistry::RegisterElementType(6, &Make<XButton>);
    TypeRegistry::RegisterElementType(7, &Make<XPageContainer>);
    TypeRegistry::RegisterElementType(14, &Make<XFontText>);
    TypeRegistry::RegisterElementType(15, &Make<XFontButton>);
}
