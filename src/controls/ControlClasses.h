#pragma once

// Adds every control class of the control library to the element factory. Programs call
// it once at start; calling it again does no harm.
void RegisterControlClasses();
