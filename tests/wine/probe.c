// Ends with the width of its pointers in bits: 32 shows that a 32-bit
// Windows program really ran.
int main(void) { return (int)sizeof(void *) * 8; }
