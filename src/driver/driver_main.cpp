#include <QtGlobal>
int main() { return 0; }
