/* A program that only returns 3: its runner must hand that code back. */
int main(void) { return 3; }
