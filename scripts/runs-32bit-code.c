/* Exits 0 when this machine runs 32-bit x86 code, which the 32-bit Wine
   (and Wine's WoW64 alike) needs: it switches into the 32-bit user code
   segment and back. Some virtual machines run 64-bit user code only; there
   the switch faults and the probe exits 1. Built and run natively by
   scripts/windows-arch.sh. */
#include <signal.h>
#include <unistd.h>

static void refused(int signal_number) {
  (void)signal_number;
  _exit(1);
}

int main(void) {
  signal(SIGSEGV, refused);
  signal(SIGBUS, refused);
  signal(SIGILL, refused);
#if defined(__x86_64__)
  __asm__ volatile(
      "pushq $0x23\n\t" /* the 32-bit user code segment */
      "leaq 1f(%%rip), %%rax\n\t"
      "pushq %%rax\n\t"
      "lretq\n\t"
      "1:\n\t"
      ".byte 0x6a, 0x33\n\t"             /* push $0x33: back to 64-bit code */
      ".byte 0xe8, 0, 0, 0, 0\n\t"       /* call 2f */
      ".byte 0x83, 0x04, 0x24, 0x05\n\t" /* 2: addl $5, (%esp): past the lret */
      ".byte 0xcb\n\t"                   /* lret */
      ::: "rax", "memory");
  return 0;
#else
  return 1;
#endif
}
