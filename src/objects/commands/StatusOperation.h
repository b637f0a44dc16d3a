// The status operation ("ステータスの操作", action command 22 and the item command that runs the
// same body): one operation (set, add, subtract, multiply, divide, remainder, percentage) applied
// to a common or stage variable, a system status or a status of the character or its target,
// with a constant, random, status or variable operand. Game thread only.
//
// Parameters of the command (its int vector): 0 target kind (0 status, 1 variable); 1, 2 target
// variable kind and index (2 also the character variable of status 0); 3 subject (0 self,
// 1 target, 2 system); 4 status item; 5 operation 0..6; 6 operand kind (0 constant, 1 random,
// 2 status, 3 variable); 7 constant; 8, 9 random bounds (either order); 10, 11 operand variable
// kind and index (11 also the character variable of an operand status 0); 12, 13 operand status
// subject and item; 14 percentage mode (non-zero: the operand is a percentage of the current
// value); 15 HP and SP: 0 plain, 1 percentage of the maximum, 2 of the current value; 16 HP and
// SP show the gauge; 17 nothing happens to a character whose invincibility byte is set.
#pragma once

class cCharaBase;
class cEdCommand;

// Runs the operation for self. Always 0 (the command's result is not used).
int StatusOperation(cCharaBase& self, const cEdCommand& command);
