-- The program groups and programs that every data folder ships with; the
-- windows find them by name, the first-run set-up grants the new user every
-- (COMPOSE_ID, PROGRAM_ID) pair below. Ids start at 1 because 0 means "not
-- found". A right flag "是" means the users window may grant that right for
-- the program.

INSERT INTO SYS_COMPOSE_TABLE (COMPOSE_ID, COMPOSE_NAME) VALUES
    (1, '出纳记账管理'),
    (2, '基本数据录入编辑'),
    (3, '系统管理');

INSERT INTO SYS_PROGRAM_TABLE
    (COMPOSE_ID, PROGRAM_ID, PROGRAM_NAME, ADD_RIGHT, BROWSE_RIGHT, PRINT_RIGHT, VERIFY_RIGHT)
VALUES
    (1, 1, '资金借贷记录录入编辑', '是', '是', '是', '是'),
    (1, 2, '资金账号台账录入编辑', '是', '是', '是', '是'),
    (1, 3, '资金借贷数据统计报表', '否', '是', '是', '否'),
    (2, 1, '资金借贷科目录入编辑', '是', '是', '是', '否'),
    (2, 2, '单位部门资料录入编辑', '是', '是', '是', '否'),
    (2, 3, '单位员工资料录入编辑', '是', '是', '是', '否'),
    (2, 4, '资金账号录入编辑', '是', '是', '是', '否'),
    (3, 1, '数据备份', '否', '是', '否', '否'),
    (3, 2, '过时数据删除', '是', '是', '否', '否'),
    (3, 3, '数据修复', '否', '是', '否', '否');
