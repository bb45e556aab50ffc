#include "ControlClasses.h"

#include "model/TypeRegistry.h"

void RegisterControlClasses()
{
    // Each control family adds its classes here as it is built.
}
