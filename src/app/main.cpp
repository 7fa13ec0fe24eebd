#include "app/showcase.h"

int main() { return runShowcase(ShowcaseOptions{}); }
