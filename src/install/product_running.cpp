#include "core/user_texts.h"
#include "install/install.h"

// The product's window is of a class named as the product.
bool ProductRuns()
{
    return FindWindowA(TextProductName, nullptr) != nullptr;
}
