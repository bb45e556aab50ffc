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

using namespace ElementType;

// One row per control class: its type and its class.
// Each control family adds its classes here as it is built.
const ElementClassRegistration kClasses[] = {
    {kRectangle, &Make<XRectangle>},
    {kPhoto, &Make<XPhoto>},
    {kButton, &Make<XButton>},
    {kPageContainer, &Make<XPageContainer>},
    {kFontText, &Make<XFontText>},
    {kFontButton, &Make<XFontButton>},
};

}

void RegisterControlClasses()
{
    for (const ElementClassRegistration& registration : kClasses)
        TypeRegistry::Register(registration);
}
