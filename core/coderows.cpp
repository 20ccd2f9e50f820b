// The built-in DEBUG code rows: code, then what the board does or tests at that code.
// Each description gives up to three statements in the order Award, AMI, Phoenix; a lone "."
// stands for a family that shows nothing at that code. Keep the rows in ascending code order.
//
// The rows 00, 01, 03, 1C, 29, 57, 5A, 7A, AC, C3 and FF are fixed wording that never changes. The
// others use one Chinese term for each English one, the fixed rows' term where they have one (Setup is
// the exception, see below). Where the English lists word a thing otherwise, these choices hold:
//   BAT (keyboard controller self-test)  BAT自检      NMI                 不可屏蔽中断
//   test pattern                         测试图样     memory size         内存大小
//   first 64 KB                          第一个64K    enable / disable    启用 / 停用 (turn off: 关闭)
//   video adapter                        显卡         real-time clock     实时时钟 (also time of day)
//   cache                                高速缓存     checksum            检查总和
//   option ROM                           扩展ROM      video ROM           显示ROM
//   shadow RAM                           影子内存     virus protection    病毒保护
//   virus check reminder (Setup option)  病毒检查提醒 power-on            通电
//   (math) coprocessor                   数学协处理器 verify              核实
//   next, about to                       即将         clear the screen    清除屏幕
//   master / slave (DMA or interrupt)    主片 / 从片  blank the video     关闭显示
//   to shadow (a ROM into RAM)           影子化       (EISA) slot         扩展槽
//   power-on message                     通电信息     sign-on message     开机信息
//   low memory (the first 64 KB)         低端内存     below 1 MB          1M以下内存
//   MP (multiprocessor) table            MP表         Ins (Insert) key    Ins键
//   Setup (the BIOS setup program)       设置程序     stuck key           卡键
//   set (the display mode)               调定         RAM                 内存
//   set (anything else)                  设置         CMOS shutdown byte  CMOS复位返回寄存器
//   CMOS checksum                        CMOS检查总和 DMA controller      DMA控制器
//   determine (how many drives)          确定         8254 counter 2      定时器通道2
//   output a code (the card displays it) 输出
//   blocking / unblocking (a pin)        封锁 / 解除封锁 (both, as AMI's list names both:
//                                        发出封锁/解除封锁…的命令, …已封锁/解除封锁)
// - Setup: the fixed rows 5A and AC say bare 设置 and keep it, but elsewhere bare 设置 reads as the verb
//   "set up" (进行设置前的编程), so the other rows always say 设置程序.
// - The CMOS shutdown byte tells the BIOS where to carry on after it has reset the CPU (as in 35's
//   reset-and-return test); 关机 alone would read as "power off", so it is named for what it does:
//   复位返回. Technicians know it as the 关机寄存器, so its first mention (07) gives both:
//   CMOS复位返回（关机）寄存器.
// - RAM is 内存, as fixed C3 has it; only the phrase 第一个64K RAM (fixed 1C) keeps the English word.
// - AMI outputs each checkpoint before the task it names, so a board stopped at an AMI code stopped in
//   that task. An AMI statement follows the wording of AMI's own list: 即将 for a task it names as
//   next or about to start, 正在 for one it words as under way ("calculating", "displaying"), 已 for
//   one done.
//   A check named as next, with what follows on each outcome ("checking for a soft reset and clearing
//   the memory below 1 MB for it next; if power-on, going to checkpoint 4Eh next"), is next as a whole:
//   即将检查是否X，是则Y，Z则即将转到检查点N (4B); "going to checkpoint N next" alone: 即将转到检查点N.
// - The two 8237 DMA controllers: the first serves channels 0-3 and is the slave (Award's 0, AMI's 1,
//   Phoenix's 从片); the second serves channels 4-7 and is the master, its channel 4 the cascade
//   (Award's 1, AMI's 2, Phoenix's 主片). Each family keeps its own name for them, so a row that names
//   one adds its channels (通道0～3 or 通道4～7): Award's 1 and AMI's 1 are different chips.
// - 8254 counter 2 is Phoenix's timer channel 2; both are 定时器通道2.
// - 8E, A1 and A6 are told as the 486/Pentium-era BIOSes this table follows use them (they output none
//   of them), in the same words; AMIBIOS 8 does use 8E and A1, and its meaning is added in brackets.
// - Phoenix's older list reports the failures at 34 to 3E alike as not stopping the board; no row marks
//   one of them 非致命, so that none reads as the only one.
#include "coderows.h"

// clang-format off
const CodeRow CodeRows[173] = {
    {u"00", u"已显示系统的配置；即将控制INI19引导装入。 . "},
    {u"01", u"处理器测试1，处理器状态核实,如果测试失败，循环是无限的。 处理器寄存器的测试即将开始，不可屏蔽中断即将停用。 CPU寄存器测试正在进行或者失败。 "},
    {u"02", u"处理器测试2，用FF和00数据写入、读出并核实除SS、SP、BP以外的全部CPU寄存器。 不可屏蔽中断已停用，即将开始通电延迟。 CMOS写/读测试正在进行或失败。 "},
    {u"03", u"清除8042键盘控制器，发出TESTKBRD命令（AAH） 通电延迟已完成。 ROM BIOS检查部件正在进行或失灵。 "},
    {u"04", u"测试内存刷新信号的翻转，检查DRAM刷新是否正常。 读取键盘控制器的SYS位，判断是软复位还是通电。 可编程间隔定时器测试正在进行或失败。 "},
    {u"05", u"关闭显示，初始化键盘控制器。 已判定是软复位还是通电，即将启用ROM（关闭影子内存和高速缓存）。 DMA控制器初始化正在进行或失败。 "},
    {u"06", u". ROM已启用，正在计算ROM BIOS检查总和。 DMA页面寄存器写/读测试正在进行或失败。 "},
    {u"07", u"测试CMOS接口及电池状态，可查出电池不良。 ROM BIOS检查总和通过，即将测试CMOS复位返回（关机）寄存器。 停用影子内存，改从ROM执行代码。 "},
    {u"08", u"设置低端内存：芯片组早期初始化，内存存在测试，清除并测试第一个64K RAM。 CMOS复位返回寄存器测试完成，即将计算CMOS检查总和。 内存刷新核实正在进行或失败。 "},
    {u"09", u"早期高速缓存初始化：初始化Cyrix处理器，并初始化高速缓存。 CMOS检查总和完成，诊断字节已写入；若BIOS内置“每次引导都初始化CMOS”（非设置程序选项），即将初始化CMOS。 第一个64K RAM测试正在进行。 "},
    {u"0A", u"设置中断向量表（前120个向量）。 CMOS初始化完成，即将初始化CMOS状态寄存器（日期和时间）。 第一个64K RAM芯片或数据线故障（多位）。 "},
    {u"0B", u"测试CMOS检查总和，出错或按住Ins键时装入默认值。 CMOS状态寄存器初始化完成，即将进行键盘控制器BAT自检前的初始化。 第一个64K RAM奇数/偶数逻辑故障。 "},
    {u"0C", u"初始化键盘：检测键盘控制器类型，设置数字锁定（NumLock）。 键盘控制器输入缓冲区已空，即将发出BAT自检命令。 第一个64K RAM地址线故障。 "},
    {u"0D", u"初始化显示：检测CPU时钟，从CMOS的14h字节读出显示类型，初始化显卡。 BAT自检命令已发出，即将核实其结果。 第一个64K RAM奇偶校验失败（或正在测试）。 "},
    {u"0E", u"测试显示内存，在屏幕上给出开机信息，设置影子内存。 键盘控制器BAT自检结果已核实，即将进行BAT自检后的初始化。 初始化I/O部件。 "},
    {u"0F", u"测试DMA控制器0（通道0～3），测试BIOS检查总和，检测并初始化键盘。 BAT自检后的初始化完成，即将写入键盘命令字节。 初始化局部总线IDE。 "},
    {u"10", u"测试DMA控制器1（通道4～7）。 键盘命令字节已写入，即将发出封锁/解除封锁键盘控制器第23/24脚的命令。 第一个64K RAM第0位故障。 "},
    {u"11", u"测试DMA页面寄存器。 键盘控制器第23/24脚已封锁/解除封锁；即将检查通电时是否按住Ins键（较新的版本为End/Ins键），按住则重新初始化CMOS。 第一个64K RAM第1位故障。 "},
    {u"12", u". 即将停用DMA控制器1、2及中断控制器1、2。 第一个64K RAM第2位故障。 "},
    {u"13", u". 已关闭显示并设置B端口，即将初始化芯片组。 第一个64K RAM第3位故障。 "},
    {u"14", u"测试8254定时器通道2。 即将开始8254定时器测试。 第一个64K RAM第4位故障。 "},
    {u"15", u"测试第一个8259中断控制器的屏蔽位。 . 第一个64K RAM第5位故障。 "},
    {u"16", u"测试第二个8259中断控制器的屏蔽位。 . 第一个64K RAM第6位故障。 "},
    {u"17", u"关闭中断，检查8259中断屏蔽位有无卡死。 . 第一个64K RAM第7位故障。 "},
    {u"18", u"测试8259中断功能（强制产生一个中断并检查）。 . 第一个64K RAM第8位故障。 "},
    {u"19", u"测试不可屏蔽中断位是否卡死（奇偶校验、I/O通道检查）。 8254定时器测试结束，即将测试内存刷新。 第一个64K RAM第9位故障。 "},
    {u"1A", u"基准测试：显示CPU时钟频率。 刷新线正在翻转，即将检查刷新开/关的时序。 第一个64K RAM第10位故障。 "},
    {u"1B", u". . 第一个64K RAM第11位故障。 "},
    {u"1C", u"测试CMOS检查总和。 . 第一个64DK RAM第12位故障。 "},
    {u"1D", u". . 第一个64K RAM第13位故障。 "},
    {u"1E", u". . 第一个64K RAM第14位故障。 "},
    {u"1F", u"设置EISA模式：EISA非易失存储器检查总和正确则初始化EISA，否则进行ISA测试。 . 第一个64K RAM第15位故障。 "},
    {u"20", u"启用EISA第0号扩展槽（系统主板）。 . 从片DMA控制器（通道0～3）寄存器测试失败。 "},
    {u"21", u"启用EISA第1号扩展槽。 . 主片DMA控制器（通道4～7）寄存器测试失败。 "},
    {u"22", u"启用EISA第2号扩展槽。 . 主片中断屏蔽寄存器故障。 "},
    {u"23", u"启用EISA第3号扩展槽。 即将读取8042输入端口并停用MEGAKEY绿色节能功能，随后使BIOS段可写，为中断向量做准备。 从片中断屏蔽寄存器故障。 "},
    {u"24", u"启用EISA第4号扩展槽。 中断向量初始化前的准备已完成，即将开始初始化。 把ES段寄存器的段界限设为4GB。 "},
    {u"25", u"启用EISA第5号扩展槽。 中断向量初始化完成；若诊断开关打开则清除密码。 正在装入中断向量。 "},
    {u"26", u"启用EISA第6号扩展槽。 . 启用A20地址线。 "},
    {u"27", u"启用EISA第7号扩展槽。 即将进行调定显示方式前的初始化。 键盘控制器测试正在进行或失败。 "},
    {u"28", u"启用EISA第8号扩展槽。 调定显示方式前的初始化完成，即将调定单色或彩色方式。 测试CMOS是否掉电及其检查总和是否正确。 "},
    {u"29", u"已调定单色方式，即将调定彩色方式。 CMOS配置有效性的检查正在进行。 "},
    {u"2A", u"启用EISA第10号扩展槽。 即将初始化总线，以及系统类、静态类和输出类设备。 清除512K基本内存。 "},
    {u"2B", u"启用EISA第11号扩展槽。 把控制交给显示ROM做测试前的设置。 屏幕（显示）内存测试失败。 "},
    {u"2C", u"启用EISA第12号扩展槽。 显示ROM之前的处理完成，即将搜索显示ROM并把控制交给它。 屏幕初始化失败。 "},
    {u"2D", u"启用EISA第13号扩展槽。 显示ROM已交回控制，进行显示ROM之后的处理。 屏幕回扫测试失败。 "},
    {u"2E", u"启用EISA第14号扩展槽。 显示ROM后的处理完成；若无EGA/VGA，即将测试显示内存。 正在搜索显示ROM。 "},
    {u"2F", u"启用EISA第15号扩展槽。 未找到EGA/VGA，即将开始显示内存读写测试。 系统BIOS影子化之前启用高速缓存。 "},
    {u"30", u"检测基本内存（256K～640K）与扩展内存（1M以上）的大小。 显示内存测试通过，即将检查回扫。 屏幕工作正常（使用显示ROM运行）。 "},
    {u"31", u"用多种测试图样测试基本内存和扩展内存。 显示内存或回扫测试失败，即将测试备用显示器。 单色显示器可以工作。 "},
    {u"32", u"测试EISA扩展内存。 备用显示内存测试通过，即将检查备用显示回扫。 彩色40列显示器可以工作。 "},
    {u"33", u". . 彩色80列显示器可以工作。 "},
    {u"34", u". 显示检查完成，即将调定显示方式。 定时器时钟中断测试正在进行或失败。 "},
    {u"35", u". . CPU复位返回测试：让CPU复位后再回到POST继续执行。 "},
    {u"36", u". . A20门故障。 "},
    {u"37", u". 显示方式已调定，即将显示通电信息。 保护模式下出现意外中断。 "},
    {u"38", u". 即将初始化总线，以及输入类、IPL（引导）类和通用类设备。 0FFFFh以上的内存测试失败。 "},
    {u"39", u". 正在显示总线初始化的错误信息。 重新初始化高速缓存。 "},
    {u"3A", u". 光标位置已保存，即将显示“Hit DEL”信息。 定时器通道2测试失败。 "},
    {u"3B", u". 已显示“Hit DEL”信息，即将进行保护模式下的内存测试。 实时时钟测试失败（时钟停走）。 "},
    {u"3C", u"允许进入设置程序的标志已置位，即启用设置程序。 . 串行口测试失败。 "},
    {u"3D", u"初始化并安装PS/2鼠标（如果有）。 . 并行口测试失败。 "},
    {u"3E", u"设置高速缓存控制器。 . 数学协处理器测试失败。 "},
    {u"40", u"显示病毒保护是启用还是停用。 即将准备描述符表。 设置CPU初始速度。 "},
    {u"41", u"初始化软盘驱动器。 . 为RomPilot初始化扩展内存。 "},
    {u"42", u"初始化硬盘驱动器。 描述符表已就绪，即将进入保护模式做内存测试。 初始化中断向量表。 "},
    {u"43", u"检测并初始化串行口和并行口。 已进入保护模式，即将为诊断方式启用中断。 "},
    {u"44", u". 诊断开关打开时中断已启用，即将初始化0:0处内存回绕检查所需的数据。 初始化BIOS中断。 "},
    {u"45", u"检测并初始化数学协处理器。 数据已初始化，即将检查0:0处的内存回绕并求出全部内存的大小。 POST设备初始化。 "},
    {u"46", u". 内存大小已得出，即将写入内存测试图样。 检查ROM版权声明。 "},
    {u"47", u". 扩展内存测试图样已写入，即将向640K基本内存写入测试图样。 初始化PCI扩展ROM管理程序。 "},
    {u"48", u". 基本内存测试图样已写入，即将检测1M以下的内存大小。 对照CMOS检查显示配置。 "},
    {u"49", u". 1M以下内存已核实，即将检测1M以上的内存大小。 初始化PCI总线及设备。 "},
    {u"4A", u". . 初始化所有显卡。 "},
    {u"4B", u". 1M以上内存已核实；即将检查是否软复位，是则清除1M以下内存，通电则即将转到检查点4E。 QuietBoot安静启动开始（可选）。 "},
    {u"4C", u". 软复位：1M以下内存已清除，即将清除1M以上内存。 影子化显示BIOS ROM。 "},
    {u"4D", u". 软复位：1M以上内存已清除，即将保存内存大小。 "},
    {u"4E", u"若插上了工厂POST循环跳线则重新启动，否则显示POST期间查出的非致命错误。 内存测试已开始（非软复位），即将显示第一个64K的内存大小。 显示BIOS版权声明。 "},
    {u"4F", u"安全检查：核对密码。 已开始显示内存大小（测试中随时更新），即将进行顺序和随机内存测试。 初始化MultiBoot多重引导。 "},
    {u"50", u"把数值写回CMOS，清除屏幕。 1M以下内存已测试并初始化，即将按重定位和影子内存调整显示的内存大小。 显示CPU类型和速度。 "},
    {u"51", u"引导前启用奇偶校验、不可屏蔽中断和高速缓存。 即将测试1M以上的内存。 初始化EISA板。 "},
    {u"52", u"初始化C8000h至EFFFFh范围内的扩展ROM。 1M以上内存已测试并初始化，即将保存内存大小信息。 测试键盘。 "},
    {u"53", u"把实时时钟的时间换算成BIOS数据区中的定时器时钟计数。 内存大小和CPU寄存器已保存，即将进入实模式。 "},
    {u"54", u". 已回到实模式，即将停用A20、奇偶校验和不可屏蔽中断。 设置按键声（如已启用）。 "},
    {u"55", u". . 启用USB设备。 "},
    {u"56", u". . 启用键盘。 "},
    {u"57", u" BIOS ROM数据区检查了一半；继续进行。 . "},
    {u"58", u". 内存大小已调整，即将清除“Hit DEL”信息。 测试意外中断。 "},
    {u"59", u". 已显示“WAIT...”，即将测试DMA和中断控制器。 初始化POST显示服务。 "},
    {u"5A", u"显示按'F2'键进行设置。"},
    {u"5B", u". . 停用CPU高速缓存。 "},
    {u"5C", u". . 测试512K至640K之间的内存。 "},
    {u"60", u"设置病毒保护。 DMA页面寄存器测试通过，即将测试DMA控制器1（通道0～3）的基址寄存器。 测试扩展内存。 "},
    {u"61", u"设置引导速度。 "},
    {u"62", u"设置数字锁定（NumLock）。 DMA控制器1（通道0～3）的基址寄存器测试通过，即将测试DMA控制器2（通道4～7）的基址寄存器。 测试扩展内存地址线。 "},
    {u"63", u"开始尝试引导系统。 "},
    {u"64", u". . 跳转到UserPatch1。 "},
    {u"65", u". DMA控制器2（通道4～7）的基址寄存器测试通过，即将对两个DMA控制器编程。 "},
    {u"66", u". DMA编程完成，即将初始化8259中断控制器。 配置高级高速缓存寄存器。 "},
    {u"67", u". 8259中断控制器初始化完成。 初始化多处理器APIC。 "},
    {u"68", u". . 启用外部和CPU高速缓存。 "},
    {u"6A", u". . 显示外部（L2）高速缓存大小。 "},
    {u"6C", u". . 显示影子内存区信息。 "},
    {u"6E", u". . 列出不可丢弃的段。 "},
    {u"70", u". . 显示错误信息。 "},
    {u"72", u". . 检查配置错误。 "},
    {u"74", u". . 测试实时时钟。 "},
    {u"76", u". . 检查键盘错误。 "},
    {u"7A", u"锁键盘。 "},
    {u"7C", u". . 设置硬件中断向量。 "},
    {u"7E", u". . 测试并初始化数学协处理器（如果有）。 "},
    {u"80", u". 键盘测试：清空输出缓冲区，检查卡键，即将复位键盘。 停用板载（Super I/O）端口和中断。 "},
    {u"81", u". 键盘复位出错或有卡键，即将测试键盘控制器接口。 后期POST设备初始化。 "},
    {u"82", u". 键盘控制器接口测试完成，即将写入命令字节并初始化循环缓冲区。 检测并安装外接串行口。 "},
    {u"83", u". 命令字节已写入、全局数据已初始化，即将检查键盘锁。 配置不属于主板可配置设备（MCD）的IDE控制器。 "},
    {u"84", u". 键盘锁检查完成，即将检查内存大小与CMOS是否相符。 检测并安装外接并行口。 "},
    {u"85", u". 内存大小检查完成，即将显示软错误、检查密码或跳过设置程序。 初始化即插即用ISA设备。 "},
    {u"86", u". 密码已检查，即将进行设置程序之前的编程。 重新初始化板载I/O端口。 "},
    {u"87", u". 即将解压缩并运行设置程序（WINBIOS Setup）。 配置主板上的可配置设备。 "},
    {u"88", u". 从设置程序返回并已清除屏幕，即将进行设置程序之后的编程。 初始化BIOS数据区。 "},
    {u"89", u". 设置程序之后的编程完成，即将在屏幕上显示通电信息。 启用不可屏蔽中断。 "},
    {u"8A", u". . 初始化扩展BIOS数据区。 "},
    {u"8B", u". 已显示“WAIT...”，即将检查PS/2鼠标和扩展BIOS数据区。 测试并初始化PS/2鼠标。 "},
    {u"8C", u". 即将按设置程序中的选项编程。 初始化软盘控制器。 "},
    {u"8D", u". 已按设置程序中的选项完成编程，即将复位硬盘控制器。 "},
    {u"8E", u"保留代码，486/奔腾时代的Award、AMI、Phoenix BIOS通常都不输出它（AMIBIOS 8用它表示正在对外设参数编程，并按设置启用或停用不可屏蔽中断）。 "},
    {u"8F", u". 硬盘控制器已复位，即将配置软盘控制器。 确定ATA驱动器数目。 "},
    {u"90", u". . 初始化硬盘控制器。 "},
    {u"91", u". 软盘控制器已配置，即将配置硬盘控制器。 初始化局部总线硬盘控制器。 "},
    {u"92", u". . 跳转到UserPatch2。 "},
    {u"93", u". . 为多处理器主板建立MP表。 "},
    {u"94", u". . 停用A20地址线。 "},
    {u"95", u". 即将从C800h开始初始化总线扩展ROM。 安装CD-ROM以便引导。 "},
    {u"96", u". 准备把控制交给C800h处的扩展ROM。 清除ES段寄存器的4GB段界限。 "},
    {u"97", u". C800h的准备工作完成，即将检查扩展ROM。 修正MP表。 "},
    {u"98", u". 扩展ROM已交回控制，进行ROM之后的处理。 搜索扩展ROM（部分版本在检查总和错时一长两短鸣叫）。 "},
    {u"99", u". 扩展ROM阶段完成，即将设置定时器数据区和打印机基址。 检查支持SMART的硬盘（可选）。 "},
    {u"9A", u". 定时器和打印机基址已设置，即将设置RS-232串行口基址。 影子化扩展ROM。 "},
    {u"9B", u". 设置RS-232串行口基址的程序已返回，即将进行数学协处理器测试前的初始化。 "},
    {u"9C", u". 即将初始化数学协处理器。 设置电源管理。 "},
    {u"9D", u". 数学协处理器初始化完成，即将进行后续的初始化。 初始化安全引擎。 "},
    {u"9E", u". 数学协处理器之后的初始化完成，即将检查扩展键盘、键盘ID和数字锁定。 启用硬件中断。 "},
    {u"9F", u". . 确定ATA和SCSI驱动器数目。 "},
    {u"A0", u". . 读取实时时钟，据此设置BIOS的当前时间。 "},
    {u"A1", u"保留代码，486/奔腾时代的Award、AMI、Phoenix BIOS通常都不输出它（AMIBIOS 8用它表示引导操作系统前的清理工作）。 "},
    {u"A2", u". 即将显示软（非致命）错误。 检查键盘锁。 "},
    {u"A3", u". 软错误已显示，即将设置键盘重复速率。 "},
    {u"A4", u". 键盘重复速率已设置，即将设置内存等待状态。 初始化键盘重复速率。 "},
    {u"A5", u". 等待状态已设置，即将清除屏幕并启用奇偶校验和不可屏蔽中断。 "},
    {u"A6", u"保留代码，486/奔腾时代的Award、AMI、Phoenix BIOS通常都不输出它。 "},
    {u"A7", u". 不可屏蔽中断和奇偶校验已启用，即将进行E000h处扩展ROM之前的初始化。 "},
    {u"A8", u". E000h之前的初始化完成，即将把控制交给E000h处的扩展ROM。 清除F2提示。 "},
    {u"A9", u". 已从E000h处的扩展ROM返回，即将进行ROM之后的初始化。 "},
    {u"AA", u". E000h阶段完成，即将显示系统配置。 扫描F2按键。 "},
    {u"AC", u"进入设置. "},
    {u"AE", u". . 清除POST进行中标志。 "},
    {u"B0", u"保护模式下出现伪中断（意外中断）。 系统配置已显示。 检查错误。 "},
    {u"B2", u". . POST完成，准备引导操作系统。 "},
    {u"B4", u". . 引导前发出一声短鸣。 "},
    {u"B6", u". . 检查密码（可选）。 "},
    {u"B8", u". . 清除全局描述符表。 "},
    {u"BC", u". . 清除奇偶校验器。 "},
    {u"BE", u"芯片组默认值：用通电BIOS默认值对芯片组寄存器编程。 . 清除屏幕（可选）。 "},
    {u"BF", u"芯片组初始化：用设置程序中的值对芯片组寄存器编程。 . 检查是否要显示病毒检查提醒和备份提醒。 "},
    {u"C0", u"关闭芯片组高速缓存（OEM专用的高速缓存控制）。 . 尝试用INT 19h引导。 "},
    {u"C1", u"内存存在测试（OEM专用）：检测主板内存大小。 . 初始化POST错误管理程序。 "},
    {u"C3", u"第一个256K内存测试。 . . "},
    {u"C5", u"早期影子化（OEM专用），加快引导。 . 初始化即插即用双CMOS（可选）。 "},
    {u"C6", u"高速缓存存在测试：检测外部高速缓存大小。 . 初始化笔记本电脑扩展坞（可选）。 "},
    {u"CA", u". . 重定向INT 15h以支持远程键盘。 "},
    {u"CC", u". . 重定向INT 10h以支持远程串行显示。 "},
    {u"EE", u"设置程序第14页（E1至EF依次为设置程序第1至15页）。 引导块：在A驱动器中寻找软盘并读取其第一个扇区。 闪存恢复：引导代码读取成功。 "},
    {u"FF", u"给予INI19引导装入程序的控制，主板OK"},
};
// clang-format on
