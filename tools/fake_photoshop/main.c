/* A stand-in for Photoshop.exe in sample installations and tests: it does nothing;
   only its version resource matters. */
int main(void) { return 0; }
